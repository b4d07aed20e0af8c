#pragma once

#include <map>
#include <string>

namespace platform::fc {

// Fonts added for the run, made visible to the programs the shell starts. A
// folder of the run's own holds a link to each font and a configuration that
// reads the one this process reads and adds the links' folder; started
// programs are pointed at it through FONTCONFIG_FILE. Nothing is installed,
// and the folder goes with its last font or with the object.
class ProgramFonts {
public:
    ProgramFonts() = default;
    ~ProgramFonts();
    ProgramFonts(ProgramFonts const&) = delete;
    ProgramFonts& operator=(ProgramFonts const&) = delete;

    // False when the folder, its configuration or the link cannot be made.
    bool add(std::string const& absolute_path);
    void remove(std::string const& absolute_path);

private:
    bool make_folder();
    void remove_folder();

    // Empty while no font is shared.
    std::string m_folder;
    // Each font with its link.
    std::map<std::string, std::string> m_links;
    int m_links_made { 0 };
};

}
