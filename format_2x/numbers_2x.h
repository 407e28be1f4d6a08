// Numbers of 2.x records, read as %d reads them but into signed 64 bits: the 2.x boards hold
// negative angles, garbage 32-bit visibility values and coordinates that must come back exactly
// as written, so each number keeps the characters it took.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include "format_2x/source_2x.h"

// The C locale's white space, which %d skips.
inline bool is_space_2x(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// Reads one number at `p` (before `end`): white space, an optional sign, at least one digit.
// Returns false, with `p` unchanged, when there is none. A value past the 64-bit range stops at
// its end, as strtoll does. `base` is the start of the file's bytes, for the value's offset.
inline bool scan_number_2x(const char*& p, const char* end, const char* base, Value2x& out) {
  const char* s = p;
  while (s < end && is_space_2x(*s)) ++s;
  const char* const token = s;
  const bool negative = s < end && *s == '-';
  if (s < end && (*s == '-' || *s == '+')) ++s;
  if (s == end || *s < '0' || *s > '9') return false;
  // Accumulated as a negative number, which reaches the lowest 64-bit value.
  constexpr int64_t kLowest = std::numeric_limits<int64_t>::min();
  int64_t value = 0;
  bool overflow = false;
  for (; s < end && *s >= '0' && *s <= '9'; ++s) {
    const int digit = *s - '0';
    if (value < (kLowest + digit) / 10) overflow = true;
    if (!overflow) value = value * 10 - digit;
  }
  if (overflow) {
    out.value = negative ? kLowest : std::numeric_limits<int64_t>::max();
  } else if (negative) {
    out.value = value;
  } else {
    out.value = value == kLowest ? std::numeric_limits<int64_t>::max() : -value;
  }
  out.offset = static_cast<size_t>(token - base);
  out.length = static_cast<uint32_t>(s - token);
  p = s;
  return true;
}

// Reads up to `max` numbers one after the other; returns how many were read.
inline int scan_numbers_2x(const char* p, const char* end, const char* base, Value2x* values,
                           int max) {
  int n = 0;
  while (n < max && scan_number_2x(p, end, base, values[n])) ++n;
  return n;
}

// An angle reduced to [0, 360).
inline uint32_t angle_mod_360(int64_t angle) {
  const int64_t r = angle % 360;
  return static_cast<uint32_t>(r < 0 ? r + 360 : r);
}

// The ref_text line that begins at `line_begin` of `bytes`: where its keyword stands, where the
// next line begins, and its numbers (up to six).
inline RefTextLine2x read_ref_text_line(std::string_view bytes, size_t line_begin) {
  RefTextLine2x line;
  const char* const base = bytes.data();
  const char* p = base + line_begin;
  const char* const feed =
      static_cast<const char*>(std::memchr(p, '\n', bytes.size() - line_begin));
  const char* end = feed == nullptr ? base + bytes.size() : feed;
  line.next = feed == nullptr ? bytes.size() : static_cast<size_t>(feed - base) + 1;
  // A carriage return before the line feed belongs to the line end.
  if (feed != nullptr && end > p && end[-1] == '\r') --end;
  while (p < end && (*p == ' ' || *p == '\t')) ++p;
  line.keyword = static_cast<size_t>(p - base);
  line.n_values = scan_numbers_2x(p + 9, end, base, line.values, 6);
  return line;
}
