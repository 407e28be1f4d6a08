// Scanning the numbers of a record, as glibc's sscanf scans them.
//
// Board files are read with sscanf formats, and what glibc's sscanf accepts (signs on unsigned
// values, exponents, hexadecimal, inf and nan, values that overflow) is part of what users' files
// rely on. The program does all of it itself, so a board reads the same whatever C library it is
// built with. Almost every number in a real board is a plain decimal: plain tokens are converted
// inline here, and a record with anything else in it goes whole to the general scanner
// (scan_general), which follows glibc's rules for every token.
//
// scan_values(text, "format", ...) reads a format at run time;
// scan_values<"format">(text, ...) takes a format fixed at build time, for the records read by
// the million: only blanks and %u, %d, %lf and %s (each possibly with *) may stand in it.
#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <tuple>
#include <type_traits>
#include <utility>

#include "io/fixed_format.h"

namespace scan_detail {

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

// What became of one directive.
enum class Step {
  kNext,      // converted (or skipped, when suppressed): go on
  kStop,      // the input ends or does not match: the count so far is the result
  kHandOver,  // the token is not plain: the whole record goes to scan_general
};

inline constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// One directive: `conversion` is 'u', 'd', 'f' or 's', `is_long` whether "l" stood before it,
// `target` where the value goes (nullptr when suppressed with "*"). Leading white space is
// skipped first, as scanf does; `s` is left after the token.
// Always inlined: with the directive known, the compiler keeps only its own case.
__attribute__((always_inline)) inline Step scan_one(char conversion, bool is_long, const char*& s,
                                                    void* target) {
  while (is_space(*s)) ++s;
  if (*s == '\0') return Step::kStop;  // input ends before this value: scanf stops here too
  const char* token = s;
  switch (conversion) {
    case 'u': {
      if (is_long) return Step::kHandOver;
      if (!is_digit(*s)) return (*s == '+' || *s == '-') ? Step::kHandOver : Step::kStop;
      int64_t value = 0;
      int digits = 0;
      while (is_digit(*s) && digits < 10) value = value * 10 + (*s++ - '0'), ++digits;
      if (digits > 9 || !ends_token(*s)) return Step::kHandOver;
      if (target != nullptr) *static_cast<unsigned*>(target) = static_cast<unsigned>(value);
      return Step::kNext;
    }
    case 'd': {
      if (is_long) return Step::kHandOver;
      const bool negative = *s == '-';
      if (negative) ++s;
      if (!is_digit(*s)) {
        return (*s == '+' || *s == '-' || negative) ? Step::kHandOver : Step::kStop;
      }
      int64_t value = 0;
      int digits = 0;
      while (is_digit(*s) && digits < 10) value = value * 10 + (*s++ - '0'), ++digits;
      if (digits > 9 || !ends_token(*s)) return Step::kHandOver;
      if (target != nullptr)
        *static_cast<int*>(target) = static_cast<int>(negative ? -value : value);
      return Step::kNext;
    }
    case 'f': {
      if (!is_long && target != nullptr) return Step::kHandOver;
      // A plain decimal: an optional minus, digits, optionally a point and digits.
      if (*s == '-') ++s;
      if (!is_digit(*s)) {
        const bool letter_or_sign = *s == '+' || *s == '-' || *s == '.' || *s == 'i' || *s == 'I' ||
                                    *s == 'n' || *s == 'N' || s != token;
        return letter_or_sign ? Step::kHandOver : Step::kStop;
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
      if (digits > 17 || !ends_token(*s)) return Step::kHandOver;
      double value = 0;
      if (digits <= 15) {
        // Up to fifteen digits and a power of ten are both exact doubles, and one correctly
        // rounded division gives the correctly rounded value, as the library would.
        value = static_cast<double>(mantissa);
        if (decimals > 0) value /= kPowersOfTen[decimals];
        if (*token == '-') value = -value;
      } else {
        const auto result = std::from_chars(token, s, value);
        if (result.ec != std::errc() || result.ptr != s) return Step::kHandOver;
      }
      if (target != nullptr) *static_cast<double*>(target) = value;
      return Step::kNext;
    }
    case 's': {
      if (is_long) return Step::kHandOver;
      // A word: everything up to the next white space (the caller's buffer holds the line).
      while (!ends_token(*s)) ++s;
      if (target != nullptr) {
        char* word = static_cast<char*>(target);
        std::memcpy(word, token, static_cast<size_t>(s - token));
        word[s - token] = '\0';
      }
      return Step::kNext;
    }
    default:
      return Step::kHandOver;
  }
}

struct Directive {
  char conversion = '\0';
  bool is_long = false;
  int target = -1;  // which of the targets takes the value; -1 when suppressed
};

template <FixedFormat F>
struct ParsedScan {
  static constexpr size_t count() {
    size_t n = 0;
    for (size_t i = 0; F.text[i] != '\0'; ++i) n += F.text[i] == '%';
    return n;
  }
  static constexpr size_t kDirectives = count();
  static constexpr std::array<Directive, kDirectives> parse() {
    std::array<Directive, kDirectives> d{};
    size_t n = 0;
    int target = 0;
    for (size_t i = 0; F.text[i] != '\0'; ++i) {
      const char c = F.text[i];
      if (c == ' ' || c == '\t') continue;
      if (c != '%') throw "only blanks and directives can stand in a fixed scan format";
      const bool suppressed = F.text[i + 1] == '*';
      if (suppressed) ++i;
      d[n].is_long = F.text[i + 1] == 'l';
      if (d[n].is_long) ++i;
      d[n].conversion = F.text[++i];
      if (d[n].conversion != 'u' && d[n].conversion != 'd' && d[n].conversion != 'f' &&
          d[n].conversion != 's') {
        throw "only %u, %d, %lf and %s can be scanned with a fixed format";
      }
      d[n++].target = suppressed ? -1 : target++;
    }
    return d;
  }
  static constexpr std::array<Directive, kDirectives> kList = parse();
  static constexpr int targets() {
    int n = 0;
    for (const Directive& d : kList) n += d.target >= 0;
    return n;
  }
};

// The pointer type each conversion stores through.
template <char conversion, bool is_long>
using TargetType = std::conditional_t<
    conversion == 'u', unsigned*,
    std::conditional_t<conversion == 'd', int*,
                       std::conditional_t<conversion == 's', char*,
                                          std::conditional_t<is_long, double*, float*>>>>;

}  // namespace scan_detail

namespace scan_detail {

// Scans `text` by `format` with glibc's rules for every token; `targets` holds one pointer for
// each assigned directive, in order. Returns the count of values assigned (0, not EOF, when the
// input ends first). Besides white space and literal characters, the format may hold %u, %d,
// %lf, %f, %s and %%, each possibly with *.
int scan_general(const char* text, const char* format, void* const* targets);

// One number token as glibc's scanf reads it, at `s` (white space already skipped). Returns
// where the token ends, or nullptr when the input does not match; the value is stored when
// `target` is not null.
const char* scan_double(const char* s, double* target);
const char* scan_float(const char* s, float* target);
// %d and %u: the value as glibc gives it (strtol or strtoul of the digits, saturating on
// overflow, then cut to 32 bits).
const char* scan_int(const char* s, int* target);
const char* scan_unsigned(const char* s, unsigned* target);

}  // namespace scan_detail

// sscanf (with glibc's results) that reports "nothing converted" as 0 rather than EOF, so counts
// can be compared directly with what a record needs.
int scan_values(const char* text, const char* format, ...) __attribute__((format(scanf, 2, 3)));

template <FixedFormat F, typename... Targets>
int scan_values(const char* text, Targets... targets) {
  using P = scan_detail::ParsedScan<F>;
  using scan_detail::Step;
  static_assert(P::targets() == sizeof...(Targets), "one target for each assigned value");
  void* slots[sizeof...(Targets) + 1] = {static_cast<void*>(targets)..., nullptr};
  const char* s = text;
  int count = 0;
  Step step = Step::kNext;
  [&]<size_t... D>(std::index_sequence<D...>) {
    const auto one = [&]<size_t d>() {
      constexpr scan_detail::Directive directive = P::kList[d];
      if constexpr (directive.target >= 0) {
        using Target = std::tuple_element_t<directive.target, std::tuple<Targets...>>;
        static_assert(
            std::is_same_v<Target,
                           scan_detail::TargetType<directive.conversion, directive.is_long>>,
            "each target must be of the type its directive stores");
      }
      step = scan_detail::scan_one(directive.conversion, directive.is_long, s,
                                   directive.target >= 0 ? slots[directive.target] : nullptr);
      count += step == Step::kNext && directive.target >= 0;
      return step == Step::kNext;
    };
    (one.template operator()<D>() && ...);
  }
  (std::make_index_sequence<P::kDirectives>{});
  if (step == Step::kHandOver) return scan_detail::scan_general(text, F.text, slots);
  return count;
}
