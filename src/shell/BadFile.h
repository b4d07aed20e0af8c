#pragma once

#include <string>

// A file of the install folder that exists but cannot be decoded is skipped
// like a missing one; this says which, once per skip, on standard error and
// in the trace.
void report_bad_file(std::string const& path, std::string const& text);
