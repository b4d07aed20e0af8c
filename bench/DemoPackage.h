#pragma once

#include <cstdlib>
#include <memory>
#include <string>

// The demo install package the benchmarks run in: SPROUT_DEMO_PACKAGE, by
// default build/demo-package. Found once, as an absolute path, before the
// first run moves the current folder; empty when it does not exist.
inline std::string const& package_folder()
{
    static std::string const folder = [] {
        char const* package = std::getenv("SPROUT_DEMO_PACKAGE");
        std::unique_ptr<char, decltype(&std::free)> full(::realpath(package ? package : "build/demo-package", nullptr), &std::free);
        return full ? std::string(full.get()) : std::string();
    }();
    return folder;
}
