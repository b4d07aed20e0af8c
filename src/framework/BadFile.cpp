#include "framework/BadFile.h"

#include "framework/TPicture.h"
#include "framework/Trace.h"
#include "platform/Files.h"

#include <iostream>
#include <stdexcept>

void report_bad_file(std::string const& path, std::string const& text)
{
    std::cerr << "pipkin-sprout: skipped " << path << ": " << text << '\n';
    trace::event("bad-file", { path, text });
}

bool load_optional_picture(TPicture& picture, std::string const& path)
{
    if (!platform::files::file_exists(path))
        return false;
    try {
        picture.LoadFromFile(path);
        return true;
    } catch (std::runtime_error const& e) { // undecodable or unreadable
        report_bad_file(path, e.what());
        return false;
    }
}
