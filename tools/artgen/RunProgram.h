#pragma once

#include <string>
#include <vector>

// Runs a program found on the PATH with the given arguments (argv[0] is the
// program) and waits for it; throws when it cannot start or does not succeed.
void run_program(std::vector<std::string> const& argv);
