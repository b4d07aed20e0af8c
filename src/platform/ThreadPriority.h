#pragma once

#include <optional>

// Scheduling priorities of single threads, as the kernel keeps them: a nice
// value per thread, from -20 (most favoured) to 19.
namespace platform::thread_priority {

// The kernel's id of the calling thread, by which any thread may read and
// set its priority.
int this_thread_id();

// Nothing when the thread's priority cannot be read.
std::optional<int> nice_of(int thread);
// Quietly does nothing when not allowed (a favoured nice needs privileges).
void set_nice(int thread, int nice);

}
