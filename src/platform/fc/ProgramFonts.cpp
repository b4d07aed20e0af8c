#include "platform/fc/ProgramFonts.h"

#include "platform/Environment.h"
#include "platform/fc/FcLibrary.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fc {

namespace {

// The user's runtime folder, which the session clears at its end even after
// a crash of ours, else the temporary folder.
std::string runtime_folder()
{
    char const* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info { };
    if (runtime && *runtime == '/' && ::stat(runtime, &info) == 0 && S_ISDIR(info.st_mode))
        return runtime;
    return "/tmp";
}

// The configuration file this process reads; empty when it reads none.
std::string own_configuration()
{
    if (!load_library())
        return {};
    FcChar8* name = functions().FcConfigFilename(nullptr);
    if (!name)
        return {};
    std::string path = reinterpret_cast<char const*>(name);
    functions().FcStrFree(name);
    return path;
}

std::string xml_text(std::string const& text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// The started programs' font caches go to the folder too (the first cache
// folder named is the one written), so none outlives the run.
std::string configuration(std::string const& folder, std::string const& own)
{
    std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                       "<fontconfig>\n  <cachedir>"
        + xml_text(folder + "/cache") + "</cachedir>\n";
    if (!own.empty())
        text += "  <include ignore_missing=\"yes\">" + xml_text(own) + "</include>\n";
    return text + "  <dir>" + xml_text(folder + "/fonts") + "</dir>\n</fontconfig>\n";
}

std::string file_name(std::string const& path) { return path.substr(path.rfind('/') + 1); }

}

ProgramFonts::~ProgramFonts()
{
    if (!m_folder.empty())
        remove_folder();
}

bool ProgramFonts::add(std::string const& absolute_path)
{
    if (m_links.count(absolute_path))
        return true;
    if (m_folder.empty() && !make_folder())
        return false;
    // Numbered, as two fonts of different folders may share a name.
    std::string link = m_folder + "/fonts/" + std::to_string(++m_links_made) + "-" + file_name(absolute_path);
    if (::symlink(absolute_path.c_str(), link.c_str()) != 0) {
        if (m_links.empty())
            remove_folder();
        return false;
    }
    m_links[absolute_path] = link;
    return true;
}

void ProgramFonts::remove(std::string const& absolute_path)
{
    auto it = m_links.find(absolute_path);
    if (it == m_links.end())
        return;
    ::unlink(it->second.c_str());
    m_links.erase(it);
    if (m_links.empty())
        remove_folder();
}

bool ProgramFonts::make_folder()
{
    std::string const own = own_configuration();
    std::string folder = runtime_folder() + "/pipkin-sprout-fonts.XXXXXX";
    if (!::mkdtemp(folder.data()))
        return false;
    m_folder = folder;
    std::ofstream out(m_folder + "/fonts.conf");
    out << configuration(m_folder, own);
    out.close();
    if (!out || ::mkdir((m_folder + "/fonts").c_str(), 0700) != 0) {
        remove_folder();
        return false;
    }
    environment::set_for_programs("FONTCONFIG_FILE", m_folder + "/fonts.conf");
    return true;
}

void ProgramFonts::remove_folder()
{
    environment::drop_for_programs("FONTCONFIG_FILE");
    // Deepest first, and whatever the started programs' caches left too.
    ::nftw(
        m_folder.c_str(),
        [](char const* path, struct stat const*, int, FTW*) {
            std::remove(path);
            return 0;
        },
        8, FTW_DEPTH | FTW_PHYS);
    m_folder.clear();
    m_links.clear();
}

}
