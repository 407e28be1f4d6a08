#include "format_2x/footprints_2x.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kNm = 1 / 25400000.0;  // inches
constexpr double kMil = 0.001;

// Lines joined with `end` after each.
std::string joined(const std::vector<std::string>& lines, const std::string& end) {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

Board read_2x(const std::string& text, std::vector<Part> parts = {}) {
  Board board;
  board.options.version = 2.427;
  board.parts = std::move(parts);
  read_footprints_and_outline_2x(board, text);
  return board;
}

Part part_with_shape(const std::string& shape) {
  Part p;
  p.name = "P";
  p.shape = shape;
  p.footprint_index = 7;  // anything: the binding must overwrite it
  return p;
}

// The footprint and outline of the worked example, as the editor lays them out.
const std::vector<std::string> kEditorLayout = {
    "[options]",
    "",
    "version: 2.427",
    "units: MM",
    "",
    "[footprints]",
    "",
    "name: \"TH2X254\"",
    "package: \"TH2\"",
    "  units: NM",
    "  sel_rect: -2500000 -1000000 2500000 1000000",
    "  ref_text: 1000000 -1300000 1100000 0 150000",
    "  centroid: 0 0 0 0",
    "  outline_polyline: 150000 -2400000 -900000 1 0 4",
    "    next_corner: 2400000 -900000 0",
    "    next_corner: 2400000 900000 1",
    "    next_corner: -2400000 900000 0",
    "    close_polyline: 0",
    "    model_3d: \"body`\"|x\" 1 2 3",
    "  n_pins: 2",
    "    pin: \"1\" 800000 -1270000 0 0 \"\"",
    "      top_pad: 1 1600000 800000 800000 0 0",
    "      inner_pad: 1 1600000 800000 800000 0 0",
    "      bottom_pad: 1 1600000 800000 800000 0 0",
    "    pin: \"2\" 800000 1270000 0 -90 \"OUT (A, B)\"",
    "      top_pad: 4 1600000 900000 700000 200000 7",
    "      inner_pad: 1 1600000 800000 800000 0 0",
    "      bottom_pad: 2 1600000 800000 800000 0 0",
    "",
    "[board]",
    "",
    "outline: 4 0 254000 1 -1 -1",
    "  corner: 1 0 0 0 0",
    "  corner: 2 0 15000000 0 0",
    "  corner: 3 30000000 15000000 2 0",
    "  corner: 4 30000000 0 0 0",
    "",
    "",
    "[solder_mask_cutouts]",
    "",
    "sm_cutout: 4 0 0",
    "  corner: 1 1 1 0",
    "",
    "[graphics]",
    "",
    "line: 2 0 10 100000 -1 -1",
    "  corner: 1 5 5 0",
    "  corner: 2 6 6 0",
    "",
    "[parts]",
    "",
    "part: R1",
    "  shape: \"TH2X254\"",
    "",
    "[nets]",
    "",
    "net: \"VIN\" 2 0 0 0 0 0 1",
    "  pin: 1 R1.2",
    "",
    "[texts]",
    "",
    "[end]",
};

// The same board read with either line end gives the same footprint and outline.
TEST(Footprints2x, EditorLayoutWithEitherLineEnd) {
  for (const std::string end : {"\n", "\r\n"}) {
    SCOPED_TRACE(end == "\n" ? "LF" : "CR LF");
    const Board board = read_2x(joined(kEditorLayout, end), {part_with_shape("TH2X254")});
    ASSERT_EQ(board.footprints.size(), 1u);
    const Footprint& fp = board.footprints[0];
    EXPECT_EQ(fp.name, "TH2X254");
    EXPECT_EQ(fp.units, 1);

    ASSERT_EQ(fp.polylines.size(), 1u);
    const FootprintPolyline& poly = fp.polylines[0];
    EXPECT_DOUBLE_EQ(poly.width, 150000 * kNm);
    EXPECT_DOUBLE_EQ(poly.x, -2400000 * kNm);
    EXPECT_DOUBLE_EQ(poly.y, -900000 * kNm);
    ASSERT_EQ(poly.corners.size(), 3u);
    EXPECT_DOUBLE_EQ(poly.corners[1].x, 2400000 * kNm);
    EXPECT_DOUBLE_EQ(poly.corners[1].y, 900000 * kNm);
    EXPECT_EQ(poly.corners[1].style, 1u);
    EXPECT_EQ(poly.closed, 1);

    ASSERT_EQ(fp.pins.size(), 2u);
    const FootprintPin& p1 = fp.pins[0];
    EXPECT_EQ(p1.name, "1");
    EXPECT_DOUBLE_EQ(p1.hole, 800000 * kNm);
    EXPECT_DOUBLE_EQ(p1.x, -1270000 * kNm);
    EXPECT_DOUBLE_EQ(p1.y, 0);
    EXPECT_EQ(p1.top_pad.shape, 1u);
    EXPECT_DOUBLE_EQ(p1.top_pad.width, 1600000 * kNm);
    const FootprintPin& p2 = fp.pins[1];
    EXPECT_EQ(p2.name, "2");
    EXPECT_EQ(p2.angle, 90u);  // -90 in the file is 270, held as 90
    EXPECT_EQ(p2.top_pad.shape, 4u);
    EXPECT_DOUBLE_EQ(p2.top_pad.len1, 900000 * kNm);
    EXPECT_DOUBLE_EQ(p2.top_pad.len2, 700000 * kNm);
    EXPECT_DOUBLE_EQ(p2.top_pad.radius, 200000 * kNm);
    EXPECT_EQ(p2.top_pad.flags, 3u);  // only the two flag bits the copper pads have
    EXPECT_EQ(p2.bottom_pad.shape, 2u);

    // Only [board]'s corners make the outline, not those of the sections after it.
    ASSERT_EQ(board.board_outlines.size(), 1u);
    const std::vector<OutlineCorner>& c = board.board_outlines[0].corners;
    ASSERT_EQ(c.size(), 4u);
    EXPECT_DOUBLE_EQ(c[2].x, 30000000 * kNm);
    EXPECT_DOUBLE_EQ(c[2].y, 15000000 * kNm);
    EXPECT_EQ(c[2].style, 2u);

    ASSERT_EQ(board.parts.size(), 1u);
    EXPECT_EQ(board.parts[0].footprint_index, 0);
  }
}

// Tools write every record in column 0, with other empty lines and other record orders; a MIL
// footprint keeps its decimals; corners have four fields.
TEST(Footprints2x, FlatToolLayout) {
  const std::string text =
      "\n\nC:\\Work\\demo\\board2.krv\n\n"
      "[options]\nversion: 2.1\n\nunits: MIL\n"
      "[footprints]\n"
      "name: \"DIP2\"\n"
      "units: MIL\n"
      "n_pins: 2\n"
      "pin: \"1\" 32.5 -50 0 0\n"
      "bottom_pad: 1 60 30 30 0\n"
      "top_pad: 2 62.5 30 30 0\n"
      "inner_pad: 1 60 30 30 0\n"
      "pin: 2 32.5 50 0 90\n"
      "inner_pad: 1 60 30 30\n"
      "top_pad: 1 60 30 30 0 1\n"
      "outline_polyline: 10 -100 -50\n"
      "next_corner: 100 -50 0\n"
      "next_corner: 100 50 0\n"
      "name: \"SOT\"\n"
      "pin: \"1\" 0 0 0 0\n"
      "top_pad: 3 1000000 500000 500000 0\n"
      "[board]\n"
      "outline: 3 0\n"
      "corner: 1 0 0 0\n"
      "corner: 2 1000 0 0\n"
      "corner: 3 1000 1000 1\n"
      "[parts]\n[nets]\n[texts]\n[end]\n[end]\n";
  const Board board = read_2x(text);
  ASSERT_EQ(board.footprints.size(), 2u);
  const Footprint& dip = board.footprints[0];
  EXPECT_EQ(dip.units, 2);
  ASSERT_EQ(dip.pins.size(), 2u);
  EXPECT_DOUBLE_EQ(dip.pins[0].hole, 32.5 * kMil);
  EXPECT_DOUBLE_EQ(dip.pins[0].x, -50 * kMil);
  EXPECT_EQ(dip.pins[0].top_pad.shape, 2u);
  EXPECT_DOUBLE_EQ(dip.pins[0].top_pad.width, 62.5 * kMil);
  EXPECT_EQ(dip.pins[0].bottom_pad.shape, 1u);
  EXPECT_EQ(dip.pins[1].name, "2");
  EXPECT_EQ(dip.pins[1].angle, 270u);
  EXPECT_DOUBLE_EQ(dip.pins[1].inner_pad.radius, 0);  // four values: no radius
  EXPECT_EQ(dip.pins[1].top_pad.flags, 1u);
  // A polyline after the pins, never closed.
  ASSERT_EQ(dip.polylines.size(), 1u);
  EXPECT_DOUBLE_EQ(dip.polylines[0].width, 10 * kMil);
  EXPECT_EQ(dip.polylines[0].corners.size(), 2u);
  EXPECT_EQ(dip.polylines[0].closed, 0);
  // The next footprint begins at its name: its lengths are nanometres again, its pin its own.
  const Footprint& sot = board.footprints[1];
  ASSERT_EQ(sot.pins.size(), 1u);
  EXPECT_DOUBLE_EQ(sot.pins[0].top_pad.width, 1000000 * kNm);
  EXPECT_TRUE(sot.polylines.empty());

  ASSERT_EQ(board.board_outlines.size(), 1u);
  const std::vector<OutlineCorner>& c = board.board_outlines[0].corners;
  ASSERT_EQ(c.size(), 3u);
  EXPECT_DOUBLE_EQ(c[1].x, 1000 * kNm);
  EXPECT_EQ(c[2].style, 1u);
}

// Each form of pin record, alone in a footprint, and what becomes of it.
TEST(Footprints2x, PinRecords) {
  struct Case {
    const char* line;
    bool kept;
    const char* name = "";
    double hole = 0, x = 0, y = 0;  // file units (nanometres)
    uint32_t held_angle = 0;
  };
  const Case cases[] = {
      {"pin: \"1\" 800000 -1270000 5 0 \"\"", true, "1", 800000, -1270000, 5, 0},
      {"pin: \"A1\" 0 1 2 90 \"PB3 [SPI1_SCK, TIM2_CH2 ] 77 88\"", true, "A1", 0, 1, 2, 270},
      {"pin: \"2\" 0 -800000 0 0", true, "2", 0, -800000, 0, 0},
      {"pin: 3 254000 0 0 90", true, "3", 254000, 0, 0, 270},
      {"pin:\t 3b 254000 0 0 -45 \"x\"", true, "3b", 254000, 0, 0, 45},
      {"pin: \"sp ace\"1 2 3 450", true, "sp ace", 1, 2, 3, 270},
      {"pin: \"\" 1 2 3 -360", true, "", 1, 2, 3, 0},
      {"pin: \"4\" 1 2 3 359", true, "4", 1, 2, 3, 1},
      {"pin: \"5\" 1 2 3 -2147483648", true, "5", 1, 2, 3, 128},  // 232 in [0, 360)
      {"pin: \"6\" 1 2 3", false},
      {"pin: \"7\" 1 2 x 0", false},
      {"pin: \"8 1 2 3 0", false},
      {"pin: 9", false},
      {"pin:", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    // A pad line after the pin belongs to it, or to nothing when the pin is passed over: never
    // to the pin before.
    const std::string text = std::string("[footprints]\nname: \"F\"\npin: \"first\" 0 0 0 0\n") +
                             c.line + "\n  top_pad: 1 100 0 0 0\n[board]\n";
    const Board board = read_2x(text);
    ASSERT_EQ(board.footprints.size(), 1u);
    const std::vector<FootprintPin>& pins = board.footprints[0].pins;
    EXPECT_EQ(pins[0].top_pad.shape, 0u);
    if (!c.kept) {
      EXPECT_EQ(pins.size(), 1u);
      continue;
    }
    ASSERT_EQ(pins.size(), 2u);
    const FootprintPin& p = pins[1];
    EXPECT_EQ(p.name, c.name);
    EXPECT_DOUBLE_EQ(p.hole, c.hole * kNm);
    EXPECT_DOUBLE_EQ(p.x, c.x * kNm);
    EXPECT_DOUBLE_EQ(p.y, c.y * kNm);
    EXPECT_EQ(p.angle, c.held_angle);
    EXPECT_EQ(p.top_pad.shape, 1u);
  }
}

// Pad records: the values needed, the optional ones, the ones that do not read.
TEST(Footprints2x, PadRecords) {
  struct Case {
    const char* line;
    bool kept;
    uint32_t shape = 0;
    double width = 0, len1 = 0, len2 = 0, radius = 0;  // nanometres
    uint32_t flags = 0;
  };
  const Case cases[] = {
      {"bottom_pad: 3 100 20 30", true, 3, 100, 20, 30, 0, 0},
      {"bottom_pad: 4 100 20 30 5", true, 4, 100, 20, 30, 5, 0},
      {"bottom_pad: 4 100 20 30 5 6 99", true, 4, 100, 20, 30, 5, 2},
      {"bottom_pad: 9 100 20 30 5", true, 9, 100, 20, 30, 5, 0},  // unknown shapes: the check's
      {"bottom_pad: 1 100 20", false},
      {"bottom_pad: x 100 20 30", false},
      {"bottom_pad:", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const std::string text = std::string("[footprints]\nname: \"F\"\npin: \"1\" 0 0 0 0\n") +
                             "bottom_pad: 2 7 7 7 7 1\n" + c.line + "\n";
    const Board board = read_2x(text);
    const PadSpec& pad = board.footprints.at(0).pins.at(0).bottom_pad;
    if (!c.kept) {
      // The earlier record stands.
      EXPECT_EQ(pad.shape, 2u);
      EXPECT_DOUBLE_EQ(pad.radius, 7 * kNm);
      continue;
    }
    EXPECT_EQ(pad.shape, c.shape);
    EXPECT_DOUBLE_EQ(pad.width, c.width * kNm);
    EXPECT_DOUBLE_EQ(pad.len1, c.len1 * kNm);
    EXPECT_DOUBLE_EQ(pad.len2, c.len2 * kNm);
    EXPECT_DOUBLE_EQ(pad.radius, c.radius * kNm);
    EXPECT_EQ(pad.flags, c.flags);
  }
}

// A footprint's units apply from their record to the footprint's end.
TEST(Footprints2x, Units) {
  struct Case {
    const char* units;
    int code;
    double factor;
  };
  const Case cases[] = {
      {"units: NM", 1, kNm},        {"units: MIL", 2, kMil}, {"units: MM", 3, 1 / 25.4},
      {"units:   MIL   ", 2, kMil}, {"units: MILS", 0, kNm}, {"units: mm", 0, kNm},
      {"units:", 0, kNm},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    const Board board = read_2x(std::string("[footprints]\nname: \"F\"\n") + c.units +
                                "\npin: \"1\" 2.5 0 0 0\nname: \"G\"\npin: \"1\" 2.5 0 0 0\n");
    ASSERT_EQ(board.footprints.size(), 2u);
    EXPECT_EQ(board.footprints[0].units, c.code);
    EXPECT_DOUBLE_EQ(board.footprints[0].pins.at(0).hole, 2.5 * c.factor);
    EXPECT_DOUBLE_EQ(board.footprints[1].pins.at(0).hole, 2.5 * kNm);
  }
}

// Only the first polyline is kept; corners go only to it, and blank lines end nothing.
TEST(Footprints2x, Polylines) {
  const std::string text =
      "[footprints]\n"
      "name: \"F\"\n"
      "next_corner: 9 9 0\n"     // before any polyline: nobody's
      "outline_polyline: 1 2\n"  // too few values: passed over
      "next_corner: 9 9 0\n"
      "outline_polyline: 100 -200 300 0 0 4\n"
      "\n"
      "next_corner: 10 20 0\n"
      "\n"
      "next_corner: 10 x 0\n"
      "next_corner: 30 40 2\n"
      "close_polyline: x\n"
      "next_corner: 50 60 0\n"
      "close_polyline: 1\n"
      "next_corner: 70 80 0\n"  // after the close
      "outline_polyline: 5 5 5\n"
      "next_corner: 90 90 0\n"
      "close_polyline: 0\n";
  const Board board = read_2x(text);
  const std::vector<FootprintPolyline>& polys = board.footprints.at(0).polylines;
  ASSERT_EQ(polys.size(), 1u);
  EXPECT_DOUBLE_EQ(polys[0].width, 100 * kNm);
  EXPECT_DOUBLE_EQ(polys[0].x, -200 * kNm);
  EXPECT_DOUBLE_EQ(polys[0].y, 300 * kNm);
  ASSERT_EQ(polys[0].corners.size(), 3u);
  EXPECT_DOUBLE_EQ(polys[0].corners[0].x, 10 * kNm);
  EXPECT_DOUBLE_EQ(polys[0].corners[1].y, 40 * kNm);
  EXPECT_EQ(polys[0].corners[1].style, 2u);
  EXPECT_DOUBLE_EQ(polys[0].corners[2].x, 50 * kNm);
  EXPECT_EQ(polys[0].closed, 1);
  EXPECT_EQ(polys[0].close_style, 1u);
}

// The board edge: contour 0 of the first outline that reads, as many corner lines as it
// declares.
TEST(Footprints2x, BoardOutline) {
  struct Case {
    const char* what;
    const char* section;
    bool outline;
    std::vector<double> xs;  // the x of each corner kept, nanometres
  };
  const Case cases[] = {
      {"five fields, a cut-out passed over",
       "outline: 7 0 254000 1 -1 -1\n"
       "  corner: 1 0 0 0 0\n  corner: 2 0 5 0 0\n  corner: 3 10 5 0 0\n  corner: 4 10 0 0 0\n"
       "  corner: 5 2 2 2 1\n  corner: 6 3 3 2 1\n  corner: 7 4 4 2 1\n",
       true,
       {0, 0, 10, 10}},
      {"four and five fields mixed",
       "outline: 3 0 0\ncorner: 1 1 0 0\ncorner: 2 2 0 0 0\n"
       "corner: 3 3 0 0\n",
       true,
       {1, 2, 3}},
      {"the declared count bounds the corners",
       "outline: 2 0\ncorner: 1 1 0 0\ncorner: 2 2 0 0\n"
       "corner: 3 3 0 0\n",
       true,
       {1, 2}},
      {"a short list keeps what it has",
       "outline: 400000000 0\ncorner: 1 1 0 0\n\n"
       "corner: 2 2 0 0\n",
       true,
       {1, 2}},
      {"a corner that does not read still counts",
       "outline: 3 0\ncorner: 1 1 0 0\n"
       "corner: 2 x 0 0\ncorner: 3 3 0 0\ncorner: 4 4 0 0\n",
       true,
       {1, 3}},
      {"only the first outline",
       "outline: 4 0\ncorner: 1 1 0 0\ncorner: 2 2 0 0\n"
       "outline: 1 1\ncorner: 1 8 0 0\n",
       true,
       {1, 2}},
      {"an outline that does not read is passed over",
       "outline: x\ncorner: 1 9 0 0\n"
       "outline: 1 0\ncorner: 1 5 0 0\n",
       true,
       {5}},
      {"no corners", "outline: 0 0\ncorner: 1 1 0 0\n", true, {}},
      {"no outline", "corner: 1 1 0 0\n", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Board board = read_2x(std::string("[board]\n") + c.section + "[graphics]\n" +
                                "polyline: 2 0 10 0 -1 -1\ncorner: 1 7 7 0 0\n");
    ASSERT_EQ(board.board_outlines.size(), c.outline ? 1u : 0u);
    if (!c.outline) continue;
    const std::vector<OutlineCorner>& corners = board.board_outlines[0].corners;
    ASSERT_EQ(corners.size(), c.xs.size());
    for (size_t i = 0; i < corners.size(); ++i) EXPECT_DOUBLE_EQ(corners[i].x, c.xs[i] * kNm);
  }
}

// Records the reader does not know, values that do not read and lines of no kind are passed
// over without taking anything else with them.
TEST(Footprints2x, UnknownAndGarbageRecordsPassedOver) {
  const std::string text =
      "[footprints]\n"
      "garbage before any footprint\n"
      "pin: \"stray\" 1 1 1 0\n"
      "name: \"F\"\n"
      "author: \"someone\"\n"
      "  sel_rect: 2147450000 2147450000 -2147450001 -2147450001\n"
      "  text: \"X\" 1 2 3 4 5 6 7\n"
      "  3d_body: \"a|b\" 1e999\n"
      "  \x01\xff\xfe\n"
      "  n_pins: many\n"
      "  pin: \"1\" 1 2 3 4\n"
      "      top_mask: 1 2 3 4 5\n"
      "      whatever: 1 2\n"
      "      top_pad: 1 10 0 0 0\n"
      "name: no quotes\n"
      "  pin: \"lost\" 1 2 3 4\n"
      "name: \"unterminated\n"
      "  pin: \"lost too\" 1 2 3 4\n"
      "name: \"G\"\n"
      "  pin: \"1\" 1 2 3 4\n";
  const Board board = read_2x(text);
  ASSERT_EQ(board.footprints.size(), 2u);
  EXPECT_EQ(board.footprints[0].name, "F");
  ASSERT_EQ(board.footprints[0].pins.size(), 1u);
  EXPECT_EQ(board.footprints[0].pins[0].top_pad.shape, 1u);
  EXPECT_DOUBLE_EQ(board.footprints[0].pins[0].top_pad.width, 10 * kNm);
  EXPECT_EQ(board.footprints[1].name, "G");
  EXPECT_EQ(board.footprints[1].pins.size(), 1u);
}

// Parts are bound by the exact bytes of the name, whatever they are.
TEST(Footprints2x, PartsBoundByExactBytes) {
  const std::string cyrillic = "\xD0\xE5\xE7\xE8\xF1\xF2\xEE\xF0 0805";  // Windows-1251
  const std::string text = "[footprints]\nname: \"" + cyrillic + "\"\n  pin: \"1\" 0 0 0 0\n" +
                           "name: \"R\"\nname: \"" + cyrillic + "\"\nname: \"\"\n[parts]\n";
  struct Case {
    std::string shape;
    int index;
  };
  const Case cases[] = {
      {cyrillic, 0},  // the first of two footprints of that name
      {"R", 1},
      {"r", -1},   // no folding of case
      {"R ", -1},  // nor of blanks
      {cyrillic.substr(0, cyrillic.size() - 1), -1},
      {"", -1},  // a part without a shape binds to nothing
      {"missing", -1},
  };
  std::vector<Part> parts;
  for (const Case& c : cases) parts.push_back(part_with_shape(c.shape));
  const Board board = read_2x(text, parts);
  ASSERT_EQ(board.footprints.size(), 4u);
  EXPECT_EQ(board.footprints[0].name, cyrillic);
  EXPECT_EQ(board.footprints[0].pins.size(), 1u);
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(board.parts[i].footprint_index, cases[i].index) << "shape [" << cases[i].shape << "]";
  }
}

// A board that ends inside a footprint keeps what was read up to there.
TEST(Footprints2x, CutOffMidFootprint) {
  const std::string whole = joined(kEditorLayout, "\r\n");
  struct Case {
    const char* cut_after;  // the text ends just after this
    size_t pins;
    uint32_t last_bottom_pad;  // the shape of the last pin's bottom pad
    size_t outline_corners;
  };
  const Case cases[] = {
      {"-1270000 0 0 \"\"", 1, 0, 0},
      {"bottom_pad: 1 1600000 800000 800000 0 0\r\n    pin: \"2\" 8000", 1, 1, 0},
      {"inner_pad: 1 1600000 800000 800000 0 0\r\n      bottom_pad: 2", 2, 0, 0},
      {"bottom_pad: 2 1600000 800000 800000 0 0", 2, 2, 0},
      {"corner: 2 0 15000000 0 0\r\n", 2, 2, 2},
      {"corner: 2 0 15000000 0 0\r\n  corner: 3 30000", 2, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cut_after);
    const size_t at = whole.find(c.cut_after);
    ASSERT_NE(at, std::string::npos);
    const Board board = read_2x(whole.substr(0, at + std::strlen(c.cut_after)));
    ASSERT_EQ(board.footprints.size(), 1u);
    ASSERT_EQ(board.footprints[0].pins.size(), c.pins);
    EXPECT_EQ(board.footprints[0].pins.back().bottom_pad.shape, c.last_bottom_pad);
    if (c.outline_corners == 0) {
      EXPECT_TRUE(board.board_outlines.empty());
    } else {
      ASSERT_EQ(board.board_outlines.size(), 1u);
      EXPECT_EQ(board.board_outlines[0].corners.size(), c.outline_corners);
    }
  }
}

// The test board kept for the command-line cases reads as it is laid out.
TEST(Footprints2x, TestBoardFile) {
  std::ifstream in(SILKORA_SOURCE_DIR "/tests/boards_2x/silk_check_2x.krv", std::ios::binary);
  ASSERT_TRUE(in);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const Board board = read_2x(bytes.str());
  ASSERT_EQ(board.footprints.size(), 2u);
  EXPECT_EQ(board.footprints[1].name, "\xD0\xE5\xE7\xE8\xF1\xF2\xEE\xF0 0805");
  EXPECT_EQ(board.footprints[1].units, 2);
  EXPECT_DOUBLE_EQ(board.footprints[1].pins.at(0).top_pad.len1, 12.5 * kMil);
  EXPECT_EQ(board.footprints[1].pins.at(1).angle, 180u);
  for (const Footprint& fp : board.footprints) {
    EXPECT_EQ(fp.pins.size(), 2u);
    ASSERT_EQ(fp.polylines.size(), 1u);
    EXPECT_EQ(fp.polylines[0].corners.size(), 3u);
  }
  // The outer edge without its cut-out.
  ASSERT_EQ(board.board_outlines.size(), 1u);
  EXPECT_EQ(board.board_outlines[0].corners.size(), 4u);
}

}  // namespace
