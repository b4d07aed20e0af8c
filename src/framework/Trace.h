#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The opt-in trace for tests and diagnosis. When SPROUT_TRACE names a file,
// each observable event appends one line:
//   <milliseconds since start>\t<event>\t<field>...
// Among them "prompts-end": a prompt sequence reached its end and the menu's
// spoken and instruction flags have moved (a cut-off sequence never ends).
// Programs of the package started by the shell append to the same file:
//   report\t<ready|missing|empty|locked|damaged|unreadable>\t<student>
//     the progress report has read the register, before it shows it.
namespace trace {

void event(std::string_view name, std::initializer_list<std::string_view> fields = {});
// For tests: re-reads SPROUT_TRACE.
void reopen();

}
