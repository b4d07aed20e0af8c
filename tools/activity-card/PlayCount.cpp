#include "PlayCount.h"

#include "ActivityStart.h"
#include "activities/StudentRegister.h"
#include "platform/Cp1252.h"

PlayCount count_play(ActivityStart const& start)
{
    if (!start.slot)
        return PlayCount::no_slot;
    auto name = cp1252::from_utf8(start.student());
    auto extra1 = cp1252::from_utf8(start.extra1());
    auto extra2 = cp1252::from_utf8(start.extra2());
    if (!name || name->empty() || !extra1 || !extra2 || start.datafolder().empty())
        return PlayCount::failed;
    return CountPlay(*start.slot, *name, *extra1, *extra2, start.datafolder()) == no_student ? PlayCount::failed
                                                                                               : PlayCount::counted;
}
