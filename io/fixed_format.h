// A format string known when the program is built, given as a template argument.
//
// The records read and written by the million use such formats: the compiler parses them, so
// scanning or printing a record does no format reading at run time.
#pragma once

#include <cstddef>

template <size_t N>
struct FixedFormat {
  char text[N] = {};
  consteval FixedFormat(const char (&format)[N]) {
    for (size_t i = 0; i < N; ++i) text[i] = format[i];
  }
};
