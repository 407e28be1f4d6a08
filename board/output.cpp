#include "board/output.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
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
  maybe_flush();
}

bool Output::flush() {
  if (fd_ < 0) return !failed_;
  size_t done = 0;
  while (!failed_ && done < text_.size()) {
    const ssize_t n = ::write(fd_, text_.data() + done, text_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failed_ = true;
      break;
    }
    done += static_cast<size_t>(n);
  }
  text_.clear();
  return !failed_;
}

namespace {

// Whether every directive of `format` is one the fast printer handles exactly as printf does:
// %s, %u, %d, %c and %1u (a field width of 1 never pads a number).
bool is_plain_format(const char* format) {
  for (const char* f = format; *f != '\0'; ++f) {
    if (*f != '%') continue;
    ++f;
    if (*f == '1' && f[1] == 'u') ++f;
    if (*f != 's' && *f != 'u' && *f != 'd' && *f != 'c') return false;
  }
  return true;
}

}  // namespace

void Output::print(const char* format, ...) {
  va_list args;
  va_start(args, format);
  if (is_plain_format(format)) {
    // Board files are millions of short records; printing them without the general printf
    // machinery is most of the writer's speed.
    for (const char* f = format; *f != '\0'; ++f) {
      if (*f != '%') {
        if (*f == '\n') {
          text_.append("\r\n", 2);
        } else {
          text_.push_back(*f);
        }
        continue;
      }
      ++f;
      if (*f == '1') ++f;
      char digits[16];
      switch (*f) {
        case 's': {
          const char* text = va_arg(args, const char*);
          append_text(text, std::strlen(text));
          break;
        }
        case 'u': {
          const auto r = std::to_chars(digits, digits + sizeof digits, va_arg(args, unsigned));
          text_.append(digits, static_cast<size_t>(r.ptr - digits));
          break;
        }
        case 'd': {
          const auto r = std::to_chars(digits, digits + sizeof digits, va_arg(args, int));
          text_.append(digits, static_cast<size_t>(r.ptr - digits));
          break;
        }
        case 'c': {
          const char c = static_cast<char>(va_arg(args, int));
          append_text(&c, 1);
          break;
        }
      }
    }
    va_end(args);
    maybe_flush();
    return;
  }
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
  maybe_flush();
}

std::string format_length(double value) {
  value += 0.0;  // -0.0 + 0.0 is +0.0
  // For a finite value, fixed notation with six decimals is exactly what "%6.6lf" prints (the
  // width of 6 never pads: six decimals make the text longer); inf and nan are padded.
  char small[400];
  std::string text;
  const auto r = std::isfinite(value) ? std::to_chars(small, small + sizeof small, value,
                                                      std::chars_format::fixed, 6)
                                      : std::to_chars_result{small, std::errc::value_too_large};
  if (r.ec == std::errc()) {
    text.assign(small, static_cast<size_t>(r.ptr - small));
  } else {
    const int n = std::snprintf(nullptr, 0, "%6.6lf", value);
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
