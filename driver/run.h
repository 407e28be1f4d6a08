// The run driver: switches, the per-file pipeline and the summary.
#pragma once

#include <string>
#include <vector>

// Runs the program on its command line (`args[0]` the program's name, the rest UTF-8 texts);
// returns the exit status. Every message goes to stderr.
int run_silkora(const std::vector<std::string>& args);
