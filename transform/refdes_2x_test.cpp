#include "transform/refdes_2x.h"

#include <gtest/gtest.h>

#include <string>

#include "format_2x/test_support_2x.h"

namespace {

// One part at (10 mm, 20 mm) whose reference text stands at (1 mm, 0.3 mm) in its footprint.
std::string one_part(int side, const std::string& part_angle, const std::string& text_angle,
                     const std::string& visible = " 1") {
  return "part: R1\n  ref_text: 800000 100000 " + text_angle + " 1000000 300000" + visible +
         "\n  shape: \"FP\"\n  pos: 10000000 20000000 " + std::to_string(side) + " " + part_angle +
         " 0\n\n";
}

// The new text record of a converted board (without its line end).
std::string new_record(const std::string& text) {
  const size_t at = text.find("text: \"");
  if (at == std::string::npos) return "";
  return text.substr(at, text.find_first_of("\r\n", at) - at);
}

std::string rewritten_ref_text(const std::string& text) {
  const size_t at = text.find("  ref_text:");
  return text.substr(at, text.find_first_of("\r\n", at) - at);
}

TEST(ConvertRefdes2x, PlacesTheTextWhereThePartsOwnTextStands) {
  // R(A) turns clockwise; the bottom negates x before turning and mirrors the text, which
  // then runs toward -x from the same anchor.
  const struct {
    int side;
    const char* part_angle;
    const char* text_angle;
    const char* record;
  } cases[] = {
      {0, "0", "0", "text: \"R1\" 11000000 20300000 10 0 0 800000 100000 0 -1 -1"},
      {0, "90", "0", "text: \"R1\" 10300000 19000000 10 90 0 800000 100000 0 -1 -1"},
      {0, "180", "0", "text: \"R1\" 9000000 19700000 10 180 0 800000 100000 0 -1 -1"},
      {0, "270", "0", "text: \"R1\" 9700000 21000000 10 270 0 800000 100000 0 -1 -1"},
      {0, "-90", "0", "text: \"R1\" 9700000 21000000 10 270 0 800000 100000 0 -1 -1"},
      {0, "450", "0", "text: \"R1\" 10300000 19000000 10 90 0 800000 100000 0 -1 -1"},
      // (1.3 mm, -0.7 mm) times cos 45 = sin 45: 0.919 mm and -0.495 mm.
      {0, "45", "0", "text: \"R1\" 10919239 19505025 10 45 0 800000 100000 0 -1 -1"},
      {0, "270", "450", "text: \"R1\" 9700000 21000000 10 0 0 800000 100000 0 -1 -1"},
      {0, "30", "-360", "text: \"R1\" 11016025 19759808 10 30 0 800000 100000 0 -1 -1"},
      {1, "0", "0", "text: \"R1\" 9000000 20300000 11 0 1 800000 100000 0 -1 -1"},
      {1, "90", "0", "text: \"R1\" 10300000 21000000 11 90 1 800000 100000 0 -1 -1"},
      {1, "180", "0", "text: \"R1\" 11000000 19700000 11 180 1 800000 100000 0 -1 -1"},
      {1, "270", "0", "text: \"R1\" 9700000 19000000 11 270 1 800000 100000 0 -1 -1"},
      {1, "-90", "90", "text: \"R1\" 9700000 19000000 11 180 1 800000 100000 0 -1 -1"},
      {1, "450", "-90", "text: \"R1\" 10300000 21000000 11 180 1 800000 100000 0 -1 -1"},
      // The bottom's (-1 mm, 0.3 mm) turned by 45: (-0.495 mm, 0.919 mm).
      {1, "45", "0", "text: \"R1\" 9505025 20919239 11 45 1 800000 100000 0 -1 -1"},
      {1, "0", "90", "text: \"R1\" 9000000 20300000 11 270 1 800000 100000 0 -1 -1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.side) + " " + c.part_angle + " " + c.text_angle);
    const std::string input = board_2x("2.427", one_part(c.side, c.part_angle, c.text_angle));
    const Converted2x r = convert_2x(input);
    EXPECT_EQ(r.converted, 1);
    EXPECT_EQ(new_record(r.text), c.record);
    expect_sound_conversion(input, r);
  }
}

TEST(ConvertRefdes2x, GivesTheCheckTheNewTextsLinkedToTheirParts) {
  const std::string parts = "part: U1\n  ref_text:\n" + one_part(1, "90", "0");
  const Converted2x r = convert_2x(board_2x("2.427", parts, "text: \"A\" 0 0 10 0 0 1 2 0\n"));
  ASSERT_EQ(r.board.texts.size(), 2u);
  const BoardText& t = r.board.texts[1];
  EXPECT_EQ(t.part_index, 1);
  EXPECT_EQ(t.text, "R1");
  EXPECT_EQ(t.layer, 11u);
  EXPECT_EQ(t.mirror, 1u);
  EXPECT_EQ(t.angle, 270u);  // held: file 90
  EXPECT_DOUBLE_EQ(t.x, 10300000 / 25400000.0);
  EXPECT_DOUBLE_EQ(t.y, 21000000 / 25400000.0);
  EXPECT_DOUBLE_EQ(t.height, 800000 / 25400000.0);
  // The part's own text is hidden in the model as in the file.
  EXPECT_EQ(r.board.parts[1].ref_text_height, 0);
  EXPECT_EQ(r.board.parts[1].ref_text_stroke_width, 0);
}

TEST(ConvertRefdes2x, LayersFollowTheVersion) {
  const struct {
    const char* version;
    int copper_layers;
    bool debug;
    const char* top_record;
    const char* bottom_record;
    const char* printed;
  } cases[] = {
      {"2.017", 2, false, "R1\" 11000000 20300000 7 0 0 800000 100000 0 -1",
       "R1\" 9000000 20300000 8 0 1 800000 100000 0 -1", ""},
      {"2.019", 4, true, "R1\" 11000000 20300000 14 0 0 800000 100000 0 -1",
       "R1\" 9000000 20300000 15 0 1 800000 100000 0 -1", "\n    Debug mode..."},
      {"2.020", 2, false, "R1\" 11000000 20300000 10 0 0 800000 100000 0 -1",
       "R1\" 9000000 20300000 11 0 1 800000 100000 0 -1", ""},
      {"2.427", 4, true, "R1\" 11000000 20300000 17 0 0 800000 100000 0 -1 -1",
       "R1\" 9000000 20300000 18 0 1 800000 100000 0 -1 -1", "\n    Debug mode..."},
      {"2.427", 3, true, "R1\" 11000000 20300000 10 0 0 800000 100000 0 -1 -1",
       "R1\" 9000000 20300000 11 0 1 800000 100000 0 -1 -1",
       "\n    Board only has 3 layers, debug disabled"},
      {"2.427", -8, true, "R1\" 11000000 20300000 10 0 0 800000 100000 0 -1 -1",
       "R1\" 9000000 20300000 11 0 1 800000 100000 0 -1 -1",
       "\n    Board only has -8 layers, debug disabled"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    RunFlags flags;
    flags.debug_mode = c.debug;
    for (int side : {0, 1}) {
      const std::string input = board_2x(c.version, one_part(side, "0", "0"), "", c.copper_layers);
      const Converted2x r = convert_2x(input, flags);
      EXPECT_EQ(new_record(r.text),
                "text: \"" + std::string(side ? c.bottom_record : c.top_record));
      EXPECT_EQ(r.messages, c.printed);
      expect_sound_conversion(input, r);
    }
  }
}

TEST(ConvertRefdes2x, HidesThePartsOwnTextAsTheSwitchesAsk) {
  const struct {
    bool visibility, debug;
    const char* visible;  // the sixth value as written, or nothing
    const char* line;
  } cases[] = {
      {false, false, " 1", "  ref_text: 0 0 0 1000000 300000 1"},
      {true, false, " 1", "  ref_text: 800000 100000 0 1000000 300000 0"},
      {true, false, " -842150451", "  ref_text: 800000 100000 0 1000000 300000 0"},
      {false, false, " -842150451", "  ref_text: 0 0 0 1000000 300000 -842150451"},
      // Five values: no visibility to clear, so -V hides by the size.
      {true, false, "", "  ref_text: 0 0 0 1000000 300000"},
      {false, true, " 1", "  ref_text: 800000 0 0 1000000 300000 1"},
      {true, true, " 1", "  ref_text: 800000 0 0 1000000 300000 1"},
      {true, true, "", "  ref_text: 800000 0 0 1000000 300000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    RunFlags flags;
    flags.use_visibility = c.visibility;
    flags.debug_mode = c.debug;
    const std::string input = board_2x("2.427", one_part(0, "0", "0", c.visible), "", 4);
    const Converted2x r = convert_2x(input, flags);
    EXPECT_EQ(rewritten_ref_text(r.text), c.line);
    expect_sound_conversion(input, r);
  }
}

TEST(ConvertRefdes2x, UnplacedPartsAreNeitherConvertedNorCounted) {
  const std::string parts =
      "part: U1\n  ref_text: \t\n  pos: 1 2 0 0 0\n\npart: U2\n  pos: 1 2 0 0\n";
  const std::string input = board_2x("2.427", parts);
  const Converted2x r = convert_2x(input);
  EXPECT_EQ(r.converted, 0);
  EXPECT_EQ(r.text, input);
  EXPECT_TRUE(r.board.texts.empty());
}

TEST(ConvertRefdes2x, NewCoordinatesArePrintedInFull) {
  const struct {
    const char* part;
    const char* record;
  } cases[] = {
      {"part: A\n  ref_text: 1 2 0 1000 -1000 1\n  pos: 9223372036854775807 "
       "-9223372036854775808 0 0 0\n",
       "text: \"A\" 9223372036854776807 -9223372036854776808 10 0 0 1 2 0 -1 -1"},
      {"part: B\n  ref_text: 1 2 0 -9223372036854775808 0 1\n  pos: -9223372036854775808 0 "
       "1 0 0\n",
       "text: \"B\" 0 0 11 0 1 1 2 0 -1 -1"},
      {"part: C\n  ref_text: 1 2 0 -9223372036854775808 0 1\n  pos: -9223372036854775808 0 "
       "0 0 0\n",
       "text: \"C\" -18446744073709551616 0 10 0 0 1 2 0 -1 -1"},
      {"part: D\n  ref_text: 1 2 0 0 5000000000 1\n  pos: 0 0 0 0 0\n",
       "text: \"D\" 0 5000000000 10 0 0 1 2 0 -1 -1"},
  };
  for (const auto& c : cases) {
    const Converted2x r = convert_2x(board_2x("2.427", c.part));
    EXPECT_EQ(new_record(r.text), c.record);
  }
}

}  // namespace
