#include "shell/BadFile.h"

#include "framework/Trace.h"

#include <iostream>

void report_bad_file(std::string const& path, std::string const& text)
{
    std::cerr << "pipkin-sprout: skipped " << path << ": " << text << '\n';
    trace::event("bad-file", { path, text });
}
