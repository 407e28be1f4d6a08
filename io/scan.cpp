// The number scanner of the section readers, for formats read at run time (see scan.h).
#include "io/scan.h"

#include <cstdarg>
#include <cstdio>

namespace {

constexpr int kHandOver = -2;  // the record needs vsscanf

// Scans `text` by `format` when every token met is plain; returns the count of values
// assigned, or kHandOver.
int fast_scan(const char* text, const char* format, va_list args) {
  using scan_detail::Step;
  int count = 0;
  const char* s = text;
  for (const char* f = format; *f != '\0'; ++f) {
    if (scan_detail::is_space(*f)) {
      while (scan_detail::is_space(*s)) ++s;
      continue;
    }
    if (*f != '%') return kHandOver;
    ++f;
    bool assign = true;
    if (*f == '*') {
      assign = false;
      ++f;
    }
    bool is_long = false;
    if (*f == 'l') {
      is_long = true;
      ++f;
    }
    const char conversion = *f;
    void* target = nullptr;
    if (assign) {
      switch (conversion) {
        case 'u':
          target = va_arg(args, unsigned*);
          break;
        case 'd':
          target = va_arg(args, int*);
          break;
        case 'f':
          if (!is_long) return kHandOver;
          target = va_arg(args, double*);
          break;
        case 's':
          target = va_arg(args, char*);
          break;
        default:
          return kHandOver;
      }
    }
    const Step step = scan_detail::scan_one(conversion, is_long, s, target);
    if (step == Step::kHandOver) return kHandOver;
    if (step == Step::kStop) return count;
    count += assign;
  }
  return count;
}

}  // namespace

int scan_values(const char* text, const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int n = fast_scan(text, format, args);
  va_end(args);
  if (n == kHandOver) n = std::vsscanf(text, format, copy);
  va_end(copy);
  return n < 0 ? 0 : n;
}
