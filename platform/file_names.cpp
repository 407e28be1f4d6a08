#include "platform/file_names.h"

bool is_folder_separator(char c, NameRules rules) {
  return c == '/' || (rules == NameRules::kWindows && c == '\\');
}

// The length of a drive prefix ("C:") at the start of `path`: 2, or 0 when there is none.
static size_t drive_prefix(const std::string& path, NameRules rules) {
  if (rules != NameRules::kWindows || path.size() < 2 || path[1] != ':') return 0;
  const char letter = path[0];
  return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z') ? 2 : 0;
}

size_t file_name_start(const std::string& path, NameRules rules) {
  const size_t folder_part = drive_prefix(path, rules);
  size_t start = path.size();
  while (start > folder_part && !is_folder_separator(path[start - 1], rules)) --start;
  return start;
}

// Index of the last '.' of the file's own name, or npos.
static size_t extension_dot(const std::string& name, NameRules rules) {
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot < file_name_start(name, rules)) return std::string::npos;
  return dot;
}

std::string with_default_extension(const std::string& name, NameRules rules) {
  return extension_dot(name, rules) == std::string::npos ? name + ".krv" : name;
}

std::string output_name(const std::string& input_name, const char* suffix, NameRules rules) {
  const size_t dot = extension_dot(input_name, rules);
  if (dot == std::string::npos) return input_name + suffix;
  return input_name.substr(0, dot) + suffix + input_name.substr(dot);
}
