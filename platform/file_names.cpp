#include "platform/file_names.h"

bool is_folder_separator(char c) {
  return c == '/';
}

size_t file_name_start(const std::string& path) {
  size_t start = path.size();
  while (start > 0 && !is_folder_separator(path[start - 1])) --start;
  return start;
}

// Index of the last '.' of the file's own name, or npos.
static size_t extension_dot(const std::string& name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot < file_name_start(name)) return std::string::npos;
  return dot;
}

std::string with_default_extension(const std::string& name) {
  return extension_dot(name) == std::string::npos ? name + ".krv" : name;
}

std::string output_name(const std::string& input_name, const char* suffix) {
  const size_t dot = extension_dot(input_name);
  if (dot == std::string::npos) return input_name + suffix;
  return input_name.substr(0, dot) + suffix + input_name.substr(dot);
}
