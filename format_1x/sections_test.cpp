#include "format_1x/sections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format_1x/test_support.h"

// Several keywords counted in one sweep: each line counts for the keyword it begins with (after
// blanks and tabs), the section's own header does not end the count, another header does, and
// the reader is left where it was.
TEST(Sections, CountsSeveralKeywordsInOneSweep) {
  const char* const keywords[] = {"net:", "pin:", "vtx:"};
  const struct {
    std::string text;
    std::vector<uint32_t> counts;
    int code;
  } cases[] = {
      {crlf({"net: a", "  pin: 1", "\tpin: 2", "vtx: 1", "[texts]"}), {1, 2, 1}, 0},
      // Not at the start of the line, cut short, or behind a NUL: not counted.
      {crlf({"x net: a", "pin", "pin:"}) + std::string("\0vtx:\r\n", 7) + crlf({"[end]"}),
       {0, 1, 0},
       0},
      // The section's own header again goes on counting; the next one ends it.
      {crlf({"net: a", "[nets]", "net: b", " [parts]", "net: c"}), {2, 0, 0}, 0},
      // A keyword must stand whole: "pins:" is no "pin:".
      {crlf({"pin: 1", "pins: 2", "vtx:", "[end]"}), {0, 1, 1}, 0},
      // The text ends before another header.
      {crlf({"net: a", "pin: 1"}), {1, 1, 0}, 12559},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    LineReader in("[nets]\r\n" + c.text);
    in.read_line();
    uint32_t counts[3] = {};
    try {
      count_section_records(in, "[nets]", keywords, counts, Err::nets_pass1_eof);
      EXPECT_EQ(c.code, 0);
      EXPECT_EQ(std::vector<uint32_t>(counts, counts + 3), c.counts);
      EXPECT_EQ(in.line_number(), 1u);
      EXPECT_EQ(std::string(in.read_line()), std::string(c.text.c_str(), c.text.find('\r')));
    } catch (const FatalError& e) {
      EXPECT_EQ(e.code, c.code);
    }
  }
}
