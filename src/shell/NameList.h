#pragma once

#include "activities/StudentRegister.h"

#include <string>
#include <vector>

// The names the name list shows for the register's slots: every slot with a
// number and a name, lower-cased, as UTF-8.
std::vector<std::string> listed_names(StudentSlots const& slots);
