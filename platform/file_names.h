// The rules that make a board's file names: the default extension and the output name.
//
// Both look at the file's own name only, the part after the last folder separator: a dot in a
// folder's name ("my.boards/board") is no extension. On Windows both '\' and '/' separate
// folders, and a drive prefix ("C:") is a folder part too.
#pragma once

#include <string>

// The two sets of rules; kNameRules is this system's. They are a parameter so that both can be
// tested on either system.
enum class NameRules { kPosix, kWindows };
#if defined(_WIN32)
inline constexpr NameRules kNameRules = NameRules::kWindows;
#else
inline constexpr NameRules kNameRules = NameRules::kPosix;
#endif

// Whether `c` separates folders in a file name.
bool is_folder_separator(char c, NameRules rules = kNameRules);

// Where the file's own name begins in `path` (0 when it has no folder part).
size_t file_name_start(const std::string& path, NameRules rules = kNameRules);

// `name` with ".krv" added when the file's own name holds no '.'.
std::string with_default_extension(const std::string& name, NameRules rules = kNameRules);

// The output name: `suffix` inserted in front of the last '.' of the file's own name, or
// appended when that holds none.
std::string output_name(const std::string& input_name, const char* suffix,
                        NameRules rules = kNameRules);
