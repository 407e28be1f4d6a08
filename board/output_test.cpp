#include "board/output.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(FormatLength, StripsZerosAndPoint) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {25400000, "25400000"},
      {2.5, "2.5"},
      {-0.25, "-0.25"},
      {0.0, "0"},
      {-0.0, "0"},
      {1234.5678904, "1234.56789"},
      {-0.0000004, "-0"},
      {1000000.0000004, "1000000"},
      {0.1, "0.1"},
      {100, "100"},
      {1270, "1270"},
  };
  for (const auto& c : cases) EXPECT_EQ(format_length(c.value), c.text) << c.value;
}

TEST(FormatLength, KeepsWholeTextOfHugeValues) {
  const std::string text = format_length(1e300);
  EXPECT_EQ(text.size(), 301u);
  EXPECT_EQ(text.substr(0, 2), "10");
}

TEST(IntegerLengths, RoundHalvesAsTheFormatDoes) {
  // Coordinates round halves away from zero, sizes add a half and cut toward zero.
  EXPECT_EQ(coord_to_nm(1.5 / 25400000.0), 2);
  EXPECT_EQ(coord_to_nm(-1.5 / 25400000.0), -2);
  EXPECT_EQ(coord_to_nm(1270000.4 * 3.937007874015748e-8), 1270000);
  EXPECT_EQ(coord_to_nm(-1270000.5 * 3.937007874015748e-8), -1270001);
  EXPECT_EQ(coord_to_nm(-2540000 * 3.937007874015748e-8), -2540000);
  EXPECT_EQ(size_to_nm(1.5 / 25400000.0), 2u);
  EXPECT_EQ(size_to_nm(165100 * 3.937007874015748e-8), 165100u);
}

TEST(IntegerLengths, OutOfRangeValuesAreDefined) {
  EXPECT_EQ(coord_to_nm(1e300), 2147483647);
  EXPECT_EQ(coord_to_nm(-1e300), -2147483647 - 1);
  EXPECT_EQ(coord_to_nm(NAN), 0);
  EXPECT_EQ(coord_to_nm(INFINITY), 2147483647);
  EXPECT_EQ(size_to_nm(NAN), 0u);
  EXPECT_EQ(size_to_nm(1e300), 0u);
  // A negative size wraps as unsigned arithmetic does: -100 nm + 0.5 cuts to -99.
  EXPECT_EQ(size_to_nm(-100 * 3.937007874015748e-8), 4294967197u);
}

TEST(Output, WritesEveryLineFeedAsCrLf) {
  Output out;
  out.print("a: %d\n\nb", 5);
  out.put("\n[end]\n");
  EXPECT_EQ(out.text(), "a: 5\r\n\r\nb\r\n[end]\r\n");
}

TEST(Output, PrintsLongTextsWhole) {
  Output out;
  const std::string text(1500, 'x');
  out.print("text: \"%s\"\n", text.c_str());
  EXPECT_EQ(out.text(), "text: \"" + text + "\"\r\n");
}
