// The rules that make a board's file names: the default extension and the output name.
//
// Both look at the file's own name only, the part after the last folder separator: a dot in a
// folder's name ("my.boards/board") is no extension.
#pragma once

#include <string>

// Whether `c` separates folders in a file name.
bool is_folder_separator(char c);

// Where the file's own name begins in `path` (0 when it has no folder part).
size_t file_name_start(const std::string& path);

// `name` with ".krv" added when the file's own name holds no '.'.
std::string with_default_extension(const std::string& name);

// The output name: `suffix` inserted in front of the last '.' of the file's own name, or
// appended when that holds none.
std::string output_name(const std::string& input_name, const char* suffix);
