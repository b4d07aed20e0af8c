#include "shell/MenuZones.h"

int zone_flag(ZoneGroup group, int tag)
{
    switch (group) {
    case ZoneGroup::Thinking:
        return tag + 7;
    case ZoneGroup::Perception:
        return tag + 5;
    case ZoneGroup::Item:
        break;
    }
    return tag;
}

std::string zone_prompt(ZoneGroup group, int tag)
{
    switch (group) {
    case ZoneGroup::Thinking:
        return "m2_" + std::to_string(tag) + ".mp3";
    case ZoneGroup::Perception:
        return "m6_" + std::to_string(tag) + ".mp3";
    case ZoneGroup::Item:
        break;
    }
    return "m" + std::to_string(tag) + ".mp3";
}
