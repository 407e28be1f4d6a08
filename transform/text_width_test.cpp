#include <gtest/gtest.h>

#include "transform/text_width.h"

TEST(TextWidthEstimate, SumsWidthsAndGaps) {
  const struct {
    std::string text;
    int units;  // expected width in 1/22 of the character height
  } cases[] = {
      {"R1", 14 + 8 + 5},
      {"U12", 14 + 5 + 14 + 2 * 8},
      {"", 0},
      {"I", 0},                    // capital I has no width
      {"lI|", 0 + 0 + 0 + 2 * 8},  // nor do small l and the bar; the gaps remain
      {"~ ", 18 + 8 + 8},          // last and first table entries
      {std::string("\x7f\x01\xe9", 3), 3 * 15 + 2 * 8},  // outside 32..126 counts as C
      {std::string("A\0B", 3), 16 + 15 + 14 + 2 * 8},    // a NUL is a character like any other
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(text_width_estimate(c.text), c.units / 22.0) << c.text;
  }
}
