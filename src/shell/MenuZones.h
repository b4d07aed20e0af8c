#pragma once

#include <string>

// What a hot zone of the menu means when the pointer reaches it: its flag
// number in the spoken/pending/hover marks and the voice file of its name.
// Items carry their tag as number; the two sub-choices under the thinking item
// and the two under the perception item are numbered after the items.
enum class ZoneGroup { Item, Thinking, Perception };

int zone_flag(ZoneGroup, int tag);
std::string zone_prompt(ZoneGroup, int tag);
