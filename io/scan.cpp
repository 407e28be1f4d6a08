// The general number scanner (every token as glibc's scanf reads it) and the scanner of formats
// read at run time (see scan.h).
#include "io/scan.h"

#include <cmath>
#include <cstdarg>
#include <limits>
#include <string>

namespace scan_detail {

namespace {

inline char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline bool is_hex_digit(char c) {
  return is_digit(c) || (lower(c) >= 'a' && lower(c) <= 'f');
}

// Whether `s` begins with `word` (lower case), in any case.
bool begins_with_word(const char* s, const char* word) {
  for (; *word != '\0'; ++s, ++word) {
    if (lower(*s) != *word) return false;
  }
  return true;
}

// The longest start of `token` (a number without its sign) that reads as a number, as strtod
// reads it: `digit` tells which characters are digits, `exponent` is the exponent letter.
// Returns its length; 0 when not even one digit stands before the exponent.
size_t number_prefix(const std::string& token, bool (*digit)(char), char exponent) {
  size_t i = 0;
  size_t digits = 0;
  while (i < token.size() && digit(token[i])) ++i, ++digits;
  if (i < token.size() && token[i] == '.') {
    ++i;
    while (i < token.size() && digit(token[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  size_t end = i;
  if (i < token.size() && token[i] == exponent) {
    size_t j = i + 1;
    if (j < token.size() && (token[j] == '+' || token[j] == '-')) ++j;
    if (j < token.size() && is_digit(token[j])) {
      while (j < token.size() && is_digit(token[j])) ++j;
      end = j;
    }
  }
  return end;
}

bool is_decimal_digit(char c) {
  return is_digit(c);
}

// Whether the number `text` (digits, a point, an exponent after `exponent`; no sign), which is
// out of the type's range, is too large rather than too small: its first non-zero digit stands
// at or before the point once the exponent is applied. The two limits are hundreds of powers
// apart, so where the point stands decides it.
bool is_too_large(const std::string& text, char exponent, int digit_weight) {
  // Where the first non-zero digit stands: the count of whole digits from it on, or minus the
  // count of zeros between the point and it (in powers of two for hexadecimal digits).
  long long position = 0;
  bool seen = false, after_point = false;
  size_t i = 0;
  for (; i < text.size() && text[i] != exponent; ++i) {
    if (text[i] == '.') {
      after_point = true;
    } else if (text[i] != '0' || seen) {
      seen = true;
      if (!after_point) position += digit_weight;
    } else if (after_point) {
      position -= digit_weight;
    }
  }
  long long power = 0;
  if (i < text.size()) {
    ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    for (; i < text.size(); ++i) {
      power = std::min<long long>(power * 10 + (text[i] - '0'), 1LL << 40);
    }
    if (negative) power = -power;
  }
  return position + power > 0;
}

// strtod (or strtof) of the token glibc's scanf gathered: [sign] then "nan", "inf",
// "infinity", or a number's characters. Returns false when not even a number's start is there.
template <typename Real>
bool convert_token(const std::string& token, Real& value) {
  size_t at = 0;
  const bool negative = !token.empty() && token[0] == '-';
  if (!token.empty() && (token[0] == '-' || token[0] == '+')) at = 1;
  const std::string rest = token.substr(at);
  Real magnitude;
  if (begins_with_word(rest.c_str(), "nan")) {
    magnitude = std::numeric_limits<Real>::quiet_NaN();
  } else if (begins_with_word(rest.c_str(), "inf")) {
    magnitude = std::numeric_limits<Real>::infinity();
  } else {
    const bool hex = rest.size() >= 2 && rest[0] == '0' && lower(rest[1]) == 'x';
    const std::string digits = hex ? rest.substr(2) : rest;
    const char exponent = hex ? 'p' : 'e';
    const size_t length = number_prefix(digits, hex ? is_hex_digit : is_decimal_digit, exponent);
    if (length == 0) {
      // "0x" with no hex digit after it reads as the 0 before the x.
      if (!hex) return false;
      magnitude = 0;
    } else {
      const std::string number = digits.substr(0, length);
      const auto r = std::from_chars(number.data(), number.data() + number.size(), magnitude,
                                     hex ? std::chars_format::hex : std::chars_format::general);
      if (r.ec == std::errc::result_out_of_range) {
        // strtod's results: infinity above the range, zero below it.
        magnitude = is_too_large(number, exponent, hex ? 4 : 1)
                        ? std::numeric_limits<Real>::infinity()
                        : Real(0);
      } else if (r.ec != std::errc()) {
        return false;
      }
    }
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

// The characters of a floating-point token, gathered by glibc's scanf rules: a sign; "nan";
// "inf" or "infinity" (an "inf" followed by an 'i' must go on to "infinity"); or digits with at
// most one point, and an exponent letter once a digit was seen, which may be followed by a
// sign. "0x" begins a hexadecimal number whose exponent letter is 'p'. The number's characters
// are taken as long as they fit these rules, even where strtod then reads fewer of them ("1e"
// is taken whole and reads as 1). Returns the end, or nullptr on a mismatch.
const char* gather_float(const char* s, std::string& token) {
  if (*s == '-' || *s == '+') {
    token += *s++;
    if (*s == '\0') return nullptr;
  }
  const size_t sign = token.size();
  if (lower(*s) == 'n') {
    if (!begins_with_word(s, "nan")) return nullptr;
    token.append(s, 3);
    return s + 3;
  }
  if (lower(*s) == 'i') {
    if (!begins_with_word(s, "inf")) return nullptr;
    token.append(s, 3);
    s += 3;
    if (lower(*s) != 'i') return s;
    if (!begins_with_word(s, "inity")) return nullptr;
    token.append(s, 5);
    return s + 5;
  }
  bool hex = false, got_digit = false, got_dot = false, got_e = false;
  char exponent = 'e';
  if (*s == '0') {
    token += *s++;
    if (lower(*s) == 'x') {
      // The 0 of "0x" is no digit: "0xp1" ends before the p.
      token += *s++;
      hex = true;
      exponent = 'p';
    } else {
      got_digit = true;
    }
  }
  for (;; ++s) {
    const char c = *s;
    if (is_digit(c) || (!got_e && hex && is_hex_digit(c))) {
      token += c;
      got_digit = true;
    } else if (got_e && token.back() == exponent && (c == '-' || c == '+')) {
      token += c;
    } else if (got_digit && !got_e && lower(c) == exponent) {
      token += exponent;
      got_e = got_dot = true;
    } else if (!got_dot && c == '.') {
      token += c;
      got_dot = true;
    } else {
      break;
    }
  }
  // Nothing but a sign, or "0x" with nothing after it, is no number.
  if (token.size() == sign || (hex && token.size() == sign + 2)) return nullptr;
  return s;
}

template <typename Real>
const char* scan_real(const char* s, Real* target) {
  std::string token;
  const char* end = gather_float(s, token);
  if (end == nullptr) return nullptr;
  Real value;
  if (!convert_token(token, value)) return nullptr;
  if (target != nullptr) *target = value;
  return end;
}

// An optional sign and decimal digits; the magnitude saturates at 2^64 - 1. Returns the end,
// or nullptr when no digit follows the sign.
const char* gather_integer(const char* s, bool& negative, unsigned long long& magnitude,
                           bool& overflow) {
  negative = *s == '-';
  if (*s == '-' || *s == '+') ++s;
  if (!is_digit(*s)) return nullptr;
  magnitude = 0;
  overflow = false;
  for (; is_digit(*s); ++s) {
    const unsigned digit = static_cast<unsigned>(*s - '0');
    if (!overflow && (__builtin_mul_overflow(magnitude, 10ULL, &magnitude) ||
                      __builtin_add_overflow(magnitude, digit, &magnitude))) {
      overflow = true;
    }
  }
  return s;
}

}  // namespace

const char* scan_double(const char* s, double* target) {
  return scan_real(s, target);
}

const char* scan_float(const char* s, float* target) {
  return scan_real(s, target);
}

// glibc reads %d through strtol, whose long has 64 bits, and stores the result in an int.
const char* scan_int(const char* s, int* target) {
  bool negative, overflow;
  unsigned long long magnitude;
  const char* end = gather_integer(s, negative, magnitude, overflow);
  if (end == nullptr) return nullptr;
  constexpr unsigned long long kMax = std::numeric_limits<long long>::max();
  long long value;
  if (negative) {
    value = overflow || magnitude > kMax + 1 ? std::numeric_limits<long long>::min()
                                             : static_cast<long long>(0 - magnitude);
  } else {
    value = overflow || magnitude > kMax ? std::numeric_limits<long long>::max()
                                         : static_cast<long long>(magnitude);
  }
  if (target != nullptr) *target = static_cast<int>(static_cast<unsigned>(value));
  return end;
}

// glibc reads %u through strtoul, whose unsigned long has 64 bits: a minus negates modulo 2^64,
// an overflow gives 2^64 - 1 whatever the sign, and the low 32 bits are stored.
const char* scan_unsigned(const char* s, unsigned* target) {
  bool negative, overflow;
  unsigned long long magnitude;
  const char* end = gather_integer(s, negative, magnitude, overflow);
  if (end == nullptr) return nullptr;
  unsigned long long value = std::numeric_limits<unsigned long long>::max();
  if (!overflow) value = negative ? 0 - magnitude : magnitude;
  if (target != nullptr) *target = static_cast<unsigned>(value);
  return end;
}

int scan_general(const char* text, const char* format, void* const* targets) {
  const char* s = text;
  int count = 0;
  for (const char* f = format; *f != '\0'; ++f) {
    if (is_space(*f)) {
      while (is_space(*s)) ++s;
      continue;
    }
    if (*f != '%' || f[1] == '%') {
      // A literal character must come next in the input (%% after white space).
      if (*f == '%') {
        ++f;
        while (is_space(*s)) ++s;
      }
      if (*s != *f) return count;
      ++s;
      continue;
    }
    ++f;
    const bool assign = *f != '*';
    if (!assign) ++f;
    const bool is_long = *f == 'l';
    if (is_long) ++f;
    void* const target = assign ? targets[count] : nullptr;
    while (is_space(*s)) ++s;
    if (*s == '\0') return count;
    const char* end = nullptr;
    switch (*f) {
      case 'u':
        end = scan_unsigned(s, static_cast<unsigned*>(target));
        break;
      case 'd':
        end = scan_int(s, static_cast<int*>(target));
        break;
      case 'f':
        end = is_long ? scan_double(s, static_cast<double*>(target))
                      : scan_float(s, static_cast<float*>(target));
        break;
      case 's': {
        end = s;
        while (!ends_token(*end)) ++end;
        if (target != nullptr) {
          char* word = static_cast<char*>(target);
          std::memcpy(word, s, static_cast<size_t>(end - s));
          word[end - s] = '\0';
        }
        break;
      }
      default:
        return count;  // no directive this program uses
    }
    if (end == nullptr) return count;
    s = end;
    count += assign;
  }
  return count;
}

}  // namespace scan_detail

int scan_values(const char* text, const char* format, ...) {
  // The pointers of the assigned directives, taken from the arguments by their types.
  void* targets[16];
  int n_targets = 0;
  va_list args;
  va_start(args, format);
  for (const char* f = format; *f != '\0' && n_targets < 16; ++f) {
    if (*f != '%') continue;
    ++f;
    if (*f == '%') continue;
    if (*f == '*') continue;
    const bool is_long = *f == 'l';
    if (is_long) ++f;
    switch (*f) {
      case 'u':
        targets[n_targets++] = va_arg(args, unsigned*);
        break;
      case 'd':
        targets[n_targets++] = va_arg(args, int*);
        break;
      case 'f':
        if (is_long) {
          targets[n_targets++] = va_arg(args, double*);
        } else {
          targets[n_targets++] = va_arg(args, float*);
        }
        break;
      case 's':
        targets[n_targets++] = va_arg(args, char*);
        break;
      default:
        break;
    }
  }
  va_end(args);

  // Plain tokens inline; the first that is not plain sends the whole record to scan_general.
  using scan_detail::Step;
  int count = 0;
  const char* s = text;
  for (const char* f = format; *f != '\0'; ++f) {
    if (scan_detail::is_space(*f)) {
      while (scan_detail::is_space(*s)) ++s;
      continue;
    }
    if (*f != '%') return scan_detail::scan_general(text, format, targets);
    ++f;
    const bool assign = *f != '*';
    if (!assign) ++f;
    const bool is_long = *f == 'l';
    if (is_long) ++f;
    const Step step = scan_detail::scan_one(*f, is_long, s, assign ? targets[count] : nullptr);
    if (step == Step::kHandOver) return scan_detail::scan_general(text, format, targets);
    if (step == Step::kStop) return count;
    count += assign;
  }
  return count;
}
