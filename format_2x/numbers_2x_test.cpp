#include "format_2x/numbers_2x.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(Numbers2x, ReadsAsPercentDReadsButInto64Bits) {
  const struct {
    const char* text;
    bool read;
    int64_t value;
    const char* token;  // the characters the value took
  } cases[] = {
      {"  -90 7", true, -90, "-90"},
      {"+0150000", true, 150000, "+0150000"},
      {"\t\v 5", true, 5, "5"},
      {"12abc", true, 12, "12"},
      {"1.5", true, 1, "1"},
      {"-842150451", true, -842150451, "-842150451"},
      {"9223372036854775807", true, INT64_MAX, "9223372036854775807"},
      {"9223372036854775808", true, INT64_MAX, "9223372036854775808"},
      {"-9223372036854775808", true, INT64_MIN, "-9223372036854775808"},
      {"-99999999999999999999", true, INT64_MIN, "-99999999999999999999"},
      {"--5", false, 0, ""},
      {"- 5", false, 0, ""},
      {"+", false, 0, ""},
      {"x5", false, 0, ""},
      {"   ", false, 0, ""},
      {"", false, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const char* p = c.text;
    const char* const end = c.text + std::strlen(c.text);
    Value2x v;
    ASSERT_EQ(scan_number_2x(p, end, c.text, v), c.read);
    if (!c.read) {
      EXPECT_EQ(p, c.text);
      continue;
    }
    EXPECT_EQ(v.value, c.value);
    EXPECT_EQ(std::string(c.text + v.offset, v.length), c.token);
    EXPECT_EQ(p, c.text + v.offset + v.length);
  }
}

TEST(Numbers2x, StopsAtTheFirstTextThatIsNoNumber) {
  const char* text = "1 -2 +3 4.5 6";
  Value2x v[6];
  EXPECT_EQ(scan_numbers_2x(text, text + std::strlen(text), text, v, 6), 4);
  EXPECT_EQ(v[3].value, 4);
  // The range ends the scan, not the text.
  EXPECT_EQ(scan_numbers_2x(text, text + 4, text, v, 6), 2);
}

TEST(Numbers2x, AnglesReduceIntoOneTurn) {
  const struct {
    int64_t angle;
    uint32_t reduced;
  } cases[] = {{0, 0},     {359, 359}, {360, 0},    {450, 90},
               {-90, 270}, {-360, 0},  {-361, 359}, {INT64_MIN, 352}};
  for (const auto& c : cases) EXPECT_EQ(angle_mod_360(c.angle), c.reduced) << c.angle;
}

}  // namespace
