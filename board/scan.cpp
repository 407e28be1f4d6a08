// The number scanner of the section readers.
//
// Board files are read with sscanf formats, and what sscanf accepts (signs on unsigned values,
// exponents, hexadecimal, inf and nan, values that overflow) is part of what users' files rely
// on. Almost every number in a real board is a plain decimal, though, and sscanf is slow for
// boards of millions of records. So plain tokens are converted here directly, with results
// identical to sscanf's, and a record with anything else in it is handed to vsscanf whole.
#include <charconv>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "board/line_reader.h"

namespace {

// The C locale's white space, which scanf skips.
inline bool is_space(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
inline bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
inline bool ends_token(char c) {
  return c == '\0' || is_space(c);
}

constexpr int kHandOver = -2;  // the record needs vsscanf

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Scans `text` by `format` when every token met is plain; returns the count of values
// assigned, or kHandOver.
int fast_scan(const char* text, const char* format, va_list args) {
  int count = 0;
  const char* s = text;
  for (const char* f = format; *f != '\0'; ++f) {
    if (is_space(*f)) {
      while (is_space(*s)) ++s;
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
    while (is_space(*s)) ++s;
    if (*s == '\0') return count;  // input ends before this value: sscanf stops here too
    const char* token = s;
    switch (conversion) {
      case 'u': {
        if (is_long) return kHandOver;
        if (!is_digit(*s)) return (*s == '+' || *s == '-') ? kHandOver : count;
        int64_t value = 0;
        int digits = 0;
        while (is_digit(*s) && digits < 10) value = value * 10 + (*s++ - '0'), ++digits;
        if (digits > 9 || !ends_token(*s)) return kHandOver;
        if (assign) *va_arg(args, unsigned*) = static_cast<unsigned>(value), ++count;
        break;
      }
      case 'd': {
        if (is_long) return kHandOver;
        const bool negative = *s == '-';
        if (negative) ++s;
        if (!is_digit(*s)) return (*s == '+' || *s == '-' || negative) ? kHandOver : count;
        int64_t value = 0;
        int digits = 0;
        while (is_digit(*s) && digits < 10) value = value * 10 + (*s++ - '0'), ++digits;
        if (digits > 9 || !ends_token(*s)) return kHandOver;
        if (assign) *va_arg(args, int*) = static_cast<int>(negative ? -value : value), ++count;
        break;
      }
      case 'f': {
        if (!is_long && assign) return kHandOver;
        // A plain decimal: an optional minus, digits, optionally a point and digits.
        if (*s == '-') ++s;
        if (!is_digit(*s)) {
          const bool letter_or_sign = *s == '+' || *s == '-' || *s == '.' || *s == 'i' ||
                                      *s == 'I' || *s == 'n' || *s == 'N' || s != token;
          return letter_or_sign ? kHandOver : count;
        }
        int digits = 0;
        int decimals = 0;
        uint64_t mantissa = 0;
        while (is_digit(*s)) mantissa = mantissa * 10 + static_cast<uint64_t>(*s++ - '0'), ++digits;
        if (*s == '.') {
          ++s;
          while (is_digit(*s)) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(*s++ - '0');
            ++digits;
            ++decimals;
          }
        }
        if (digits > 17 || !ends_token(*s)) return kHandOver;
        double value = 0;
        if (digits <= 15) {
          // Up to fifteen digits and a power of ten are both exact doubles, and one correctly
          // rounded division gives the correctly rounded value, as the library would.
          value = static_cast<double>(mantissa);
          if (decimals > 0) value /= kPowersOfTen[decimals];
          if (*token == '-') value = -value;
        } else {
          const auto result = std::from_chars(token, s, value);
          if (result.ec != std::errc() || result.ptr != s) return kHandOver;
        }
        if (assign) *va_arg(args, double*) = value, ++count;
        break;
      }
      case 's': {
        if (is_long) return kHandOver;
        // A word: everything up to the next white space (the caller's buffer holds the line).
        while (!ends_token(*s)) ++s;
        if (assign) {
          char* word = va_arg(args, char*);
          std::memcpy(word, token, static_cast<size_t>(s - token));
          word[s - token] = '\0';
          ++count;
        }
        break;
      }
      default:
        return kHandOver;
    }
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
