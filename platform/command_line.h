// The program's command line, as UTF-8 texts (argv[0] first).
#pragma once

#include <string>
#include <vector>

// On POSIX systems the arguments as given. On Windows the command line is taken from the
// system in its UTF-16 form (the arguments main receives are in the console's code page, which
// loses every letter outside it) and converted to UTF-8; see utf16_to_utf8 for names that hold
// a lone surrogate.
std::vector<std::string> command_line(int argc, char** argv);
