#include "io/fatal_error.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

void fatal_error(int code, const std::string& message) {
  throw FatalError(code, message, false);
}

void fatal_board_error(int code, const std::string& message) {
  throw FatalError(code, message, true);
}

std::string format_text(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  char small[256];
  int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string result;
  if (n < 0) {
    va_end(copy);
    return result;
  }
  if (static_cast<size_t>(n) < sizeof small) {
    result.assign(small, static_cast<size_t>(n));
  } else {
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), format, copy);
    result.assign(big.data(), static_cast<size_t>(n));
  }
  va_end(copy);
  return result;
}
