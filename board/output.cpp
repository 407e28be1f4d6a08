#include "board/output.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

void Output::append_text(const char* text, size_t length) {
  const char* end = text + length;
  while (text < end) {
    const void* nl = std::memchr(text, '\n', static_cast<size_t>(end - text));
    if (nl == nullptr) {
      text_.append(text, static_cast<size_t>(end - text));
      return;
    }
    const char* p = static_cast<const char*>(nl);
    text_.append(text, static_cast<size_t>(p - text));
    text_.append("\r\n", 2);
    text = p + 1;
  }
}

void Output::put(const char* text) {
  append_text(text, std::strlen(text));
}

void Output::print(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  char small[512];
  int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (n >= 0 && static_cast<size_t>(n) < sizeof small) {
    append_text(small, static_cast<size_t>(n));
  } else if (n >= 0) {
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), format, copy);
    append_text(big.data(), static_cast<size_t>(n));
  }
  va_end(copy);
}

std::string format_length(double value) {
  value += 0.0;  // -0.0 + 0.0 is +0.0
  char small[64];
  int n = std::snprintf(small, sizeof small, "%6.6lf", value);
  std::string text;
  if (n >= 0 && static_cast<size_t>(n) < sizeof small) {
    text.assign(small, static_cast<size_t>(n));
  } else if (n >= 0) {
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::snprintf(big.data(), big.size(), "%6.6lf", value);
    text.assign(big.data(), static_cast<size_t>(n));
  }
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

int coord_to_nm(double inches) {
  double nm = inches * 25400000.0;
  nm = nm >= 0 ? nm + 0.5 : nm - 0.5;
  if (std::isnan(nm)) return 0;
  if (nm >= 2147483648.0) return std::numeric_limits<int>::max();
  if (nm <= -2147483649.0) return std::numeric_limits<int>::min();
  return static_cast<int>(nm);
}

uint32_t size_to_nm(double inches) {
  double nm = inches * 25400000.0 + 0.5;
  if (!(nm > -9223372036854775808.0 && nm < 9223372036854775808.0)) return 0;
  return static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(nm)));
}
