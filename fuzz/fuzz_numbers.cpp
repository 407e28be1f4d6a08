// libFuzzer target: the board's own number scanner and printer against the C library.
//
// The first byte picks one of the record formats the readers use; the rest of the input, cut
// at its first NUL, is the text scanned by scan_values and by sscanf: the counts and every
// value stored must be the same. The same bytes, taken as numbers, are printed by Output and
// format_length and format_text and by snprintf: the texts must be the same. Any difference aborts.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "io/output.h"
#include "io/scan.h"
#include "io/text_format.h"

namespace {

struct Slots {
  double d[8];
  unsigned u[8];
  int i[8];
  Slots() {
    for (int k = 0; k < 8; ++k) d[k] = -12345.678, u[k] = 0xDEADBEEF, i[k] = -777;
  }
  bool operator==(const Slots& o) const {
    return std::memcmp(d, o.d, sizeof d) == 0 && std::memcmp(u, o.u, sizeof u) == 0 &&
           std::memcmp(i, o.i, sizeof i) == 0;
  }
};

void check(bool same, const char* what) {
  if (!same) {
    std::fprintf(stderr, "disagreement: %s\n", what);
    std::abort();
  }
}

#define COMPARE(FORMAT, ...)                                  \
  do {                                                        \
    Slots fast, reference;                                    \
    int a, b;                                                 \
    {                                                         \
      Slots& s = fast;                                        \
      a = scan_values(text, FORMAT, __VA_ARGS__);             \
    }                                                         \
    {                                                         \
      Slots& s = reference;                                   \
      b = std::sscanf(text, FORMAT, __VA_ARGS__);             \
    }                                                         \
    check(a == (b < 0 ? 0 : b) && fast == reference, FORMAT); \
  } while (0)

void compare_scans(int pick, const char* text) {
  switch (pick % 7) {
    case 0:
      COMPARE("%lf %lf %u %lf %lf %u", &s.d[0], &s.d[1], &s.u[0], &s.d[2], &s.d[3], &s.u[1]);
      break;
    case 1:
      COMPARE("%*u %lf %lf %u %u %lf %lf %u", &s.d[0], &s.d[1], &s.u[0], &s.u[1], &s.d[2], &s.d[3],
              &s.u[2]);
      break;
    case 2:
      COMPARE("%*u %u %d %u %u", &s.u[0], &s.i[0], &s.u[1], &s.u[2]);
      break;
    case 3:
      COMPARE("%lf %lf %u %u %u", &s.d[0], &s.d[1], &s.u[0], &s.u[1], &s.u[2]);
      break;
    case 4:
      COMPARE("%*u %u %lf %u %u", &s.u[0], &s.d[0], &s.u[1], &s.u[2]);
      break;
    case 5:
      COMPARE("%u %u %u %lf %lf %lf %u", &s.u[0], &s.u[1], &s.u[2], &s.d[0], &s.d[1], &s.d[2],
              &s.u[3]);
      break;
    default:
      COMPARE("%d %d", &s.i[0], &s.i[1]);
      break;
  }
}

std::string reference_length(double v) {
  char text[400];
  std::snprintf(text, sizeof text, "%6.6lf", v + 0.0);
  std::string s = text;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

void compare_prints(const uint8_t* data, size_t size) {
  for (size_t at = 0; at + 8 <= size; at += 8) {
    double v;
    std::memcpy(&v, data + at, 8);
    check(format_length(v) == reference_length(v), "format_length");
    // The same bits as a length in nanometres near a whole number, as boards hold them.
    int32_t whole;
    std::memcpy(&whole, data + at, 4);
    const double nm = static_cast<double>(whole) * 3.937007874015748e-8 * 25400000.0;
    check(format_length(nm) == reference_length(nm), "format_length of whole nanometres");
    unsigned u;
    int d;
    std::memcpy(&u, data + at, 4);
    std::memcpy(&d, data + at + 4, 4);
    Output out;
    out.print("    vtx: %u %d %1u %c\n", u, d, u % 10, 'x');
    char expected[100];
    std::snprintf(expected, sizeof expected, "    vtx: %u %d %1u %c\r\n", u, d, u % 10, 'x');
    check(out.text() == expected, "print");
    // Messages: the general printer.
    char message[1000];
    std::snprintf(message, sizeof message, "%1.3lf|%5.3lf|%-16s|%1.2lf%c", v, v, "n", v, 'R');
    check(format_text("%1.3lf|%5.3lf|%-16s|%1.2lf%c", v, v, "n", v, 'R') == message, "format_text");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  compare_scans(data[0], text.c_str());
  compare_prints(data + 1, size - 1);
  return 0;
}
