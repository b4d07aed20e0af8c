#pragma once

#include <string>

// The command line an activity program reads: seven fields, each written
// "*text#" with the quotes, joined by single spaces. The activities parse
// this layout themselves, so nothing inside a field is escaped.
struct ActivityParameters {
    std::string installdir;
    std::string studentname;
    std::string studentextra1;
    std::string studentextra2;
    char langletter { 0 };
    std::string datafolder;

    // "AFR" for the letter 'a' in either case, "ENG" for anything else.
    static std::string language_code(char langletter);
    std::string text() const;
};
