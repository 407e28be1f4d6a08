// An estimate of how wide a text is drawn, used to keep a mirrored or bottom-side text over the
// place it stood: the sum of the character widths plus a gap between neighbours, in units of
// the character height (22 width units make one height).
#include "transform/text_width.h"

namespace {

// Widths of the characters 32 to 126.
constexpr unsigned char kWidths[95] = {
    8,  2,  18, 15, 14, 18, 20, 2,  7,  7,  10, 18, 2,  18, 2, 18,  // space to /
    14, 5,  14, 14, 15, 14, 13, 14, 14, 13,                         // 0 to 9
    2,  2,  16, 18, 16, 12, 21,                                     // : to @
    16, 14, 15, 14, 13, 13, 15, 14, 0,  10, 14, 12, 16,             // A to M
    14, 16, 14, 16, 14, 14, 14, 14, 16, 20, 14, 16, 14,             // N to Z
    7,  14, 7,  16, 18, 6,                                          // [ to `
    12, 12, 12, 12, 12, 8,  12, 11, 2,  6,  11, 0,  22,             // a to m
    11, 13, 12, 12, 8,  11, 8,  11, 12, 16, 11, 13, 11,             // n to z
    5,  0,  5,  18,                                                 // { to ~
};

constexpr int kGap = 8;
constexpr int kWidthOfC = 15;  // what a character outside the table counts as

}  // namespace

double text_width_estimate(const std::string& text) {
  long long sum = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    sum += (c >= 32 && c <= 126) ? kWidths[c - 32] : kWidthOfC;
    if (i + 1 < text.size()) sum += kGap;
  }
  return static_cast<double>(sum) / 22.0;
}
