#include "shell/LanguageHints.h"

LanguageHints const& hints_for(char langletter)
{
    static LanguageHints const afrikaans { "Verlaat program", "Naam-lys", "Verslag", "Terug na taal-keuse", "Ok" };
    static LanguageHints const english { "Exit program", "List of names", "Report", "Back to language choice", "Ok" };
    return langletter == 'a' ? afrikaans : english;
}

char const* voice_folder_for(char langletter) { return langletter == 'a' ? "sounds_afr/" : "sounds_eng/"; }
