// Writes the activity catalogue as a table of tab-separated text, a heading
// line first, for what cannot include it: the package build, the tour and the
// desktops walk.
// usage: sprout-catalogue FILE
#include "activities/ActivityCatalogue.h"

#include <fstream>
#include <iostream>

namespace {

char const* group_name(activity_catalogue::Group group)
{
    using enum activity_catalogue::Group;
    switch (group) {
    case Item:
        return "item";
    case Thinking:
        return "thinking";
    case Perception:
        return "perception";
    case Button:
        break;
    }
    return "button";
}

}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: sprout-catalogue FILE\n";
        return 2;
    }
    std::ofstream out(argv[1]);
    out << "component\tgroup\ttag\tflag\tprompt\tslot\tprogram\tafrikaans\tenglish\tleft\ttop\twidth\theight\n";
    for (auto const& row : activity_catalogue::rows)
        out << row.component << '\t' << group_name(row.group) << '\t' << row.tag << '\t' << row.flag << '\t'
            << row.prompt << '\t' << row.slot << '\t' << row.program << '\t' << row.name.afrikaans << '\t'
            << row.name.english << '\t' << row.bounds.left << '\t' << row.bounds.top << '\t' << row.bounds.width
            << '\t' << row.bounds.height << '\n';
    out.close();
    if (!out) {
        std::cerr << "sprout-catalogue: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
