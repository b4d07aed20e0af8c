#pragma once

// The hints of the buttons that a language choice sets, and the voice folder
// of each language ('a' is Afrikaans; any other letter English).
struct LanguageHints {
    char const* exitbut;
    char const* listbut;
    char const* reportbut;
    char const* backbut;
    char const* okbut;
};

LanguageHints const& hints_for(char langletter);
char const* voice_folder_for(char langletter);
