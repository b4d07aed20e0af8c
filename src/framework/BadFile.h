#pragma once

#include <string>

class TPicture;

// A file of the install folder that exists but cannot be decoded is skipped
// like a missing one; this says which, once per skip, on standard error and
// in the trace.
void report_bad_file(std::string const& path, std::string const& text);

// Loads the picture when the file exists and can be read and decoded; a file
// that cannot counts as missing and is reported as above. False when nothing
// was loaded (the picture is then as it was).
bool load_optional_picture(TPicture& picture, std::string const& path);
