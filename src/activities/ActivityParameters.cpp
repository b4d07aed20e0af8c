#include "activities/ActivityParameters.h"

namespace {

std::string enclosed(std::string const& field) { return "\"*" + field + "#\""; }

}

std::string ActivityParameters::language_code(char langletter)
{
    return langletter == 'a' || langletter == 'A' ? "AFR" : "ENG";
}

std::string ActivityParameters::text() const
{
    std::string const fields[] = { installdir, studentname, studentextra1, studentextra2, "TRUE",
        language_code(langletter), datafolder };
    std::string line;
    for (auto const& field : fields) {
        if (!line.empty())
            line += ' ';
        line += enclosed(field);
    }
    return line;
}
