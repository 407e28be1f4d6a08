#include "format_1x/footprints.h"

#include <gtest/gtest.h>

#include <string>

#include "format_1x/footprints.h"
#include "format_1x/sections.h"
#include "format_1x/test_support.h"

namespace {

// A complete board whose [footprints] section holds `footprints` (CR LF lines).
std::string fp_board(const std::string& footprints) {
  return board_with("", "",
                    footprints +
                        "\r\n[board]\r\n\r\n[solder_mask_cutouts]\r\n\r\n[parts]\r\n\r\n"
                        "[nets]\r\n\r\n");
}

// A board text that ends inside the footprint section.
std::string truncated(const std::string& footprints) {
  return "[options]\r\n[footprints]\r\n" + footprints;
}

std::string written_footprints(const Board& board) {
  Output out;
  write_footprints(out, board);
  return out.text();
}

}  // namespace

TEST(Footprints, EmptySectionWrittenAsHeaderAlone) {
  const Board board = load_text(fp_board(""));
  EXPECT_TRUE(board.footprints.empty());
  EXPECT_EQ(written_footprints(board), "\r\n[footprints]\r\n");
}

TEST(Footprints, LengthsComeBackInTheirOwnUnit) {
  const Board board = load_text(fp_board(crlf({
      "name: \"M\"",
      "  units: MIL",
      "  sel_rect: 0 0 100 50",
      "  ref_text: 40 -12.5 1234.5678904 0 6",
      "",
      "name: \"N\"",
      "  units: NM",
      "  sel_rect: 0 0 2540000 1270000",
      "  ref_text: 1016000 -317500 31357624 0 152400",
  })));
  ASSERT_EQ(board.footprints.size(), 2u);
  for (const Footprint& fp : board.footprints) {
    SCOPED_TRACE(fp.name);
    EXPECT_DOUBLE_EQ(fp.sel_rect[0], 0);
    EXPECT_DOUBLE_EQ(fp.sel_rect[2], 0.1);
    EXPECT_DOUBLE_EQ(fp.sel_rect[3], 0.05);
    EXPECT_DOUBLE_EQ(fp.ref_text.height, 0.04);
    EXPECT_DOUBLE_EQ(fp.ref_text.x, -0.0125);
  }
  EXPECT_EQ(board.footprints[0].units, 2);
  EXPECT_EQ(board.footprints[1].units, 1);
  EXPECT_EQ(written_footprints(board), "\r\n[footprints]\r\n" + crlf({
                                                                    "",
                                                                    "name: \"M\"",
                                                                    "  units: MIL",
                                                                    "  sel_rect: 0 0 100 50",
                                                                    "  ref_text: 40 -12.5 "
                                                                    "1234.56789 0 6",
                                                                    "  n_pins: 0",
                                                                    "",
                                                                    "name: \"N\"",
                                                                    "  units: NM",
                                                                    "  sel_rect: 0 0 2540000 "
                                                                    "1270000",
                                                                    "  ref_text: 1016000 "
                                                                    "-317500 31357624 0 152400",
                                                                    "  n_pins: 0",
                                                                }));
}

TEST(Footprints, UnitsRecord) {
  // The unit in force when a record is read converts it; the last units record decides how the
  // footprint is written. Lengths before any units record are nanometres.
  const struct {
    const char* units_then_rect;
    double held_x2;
    const char* written;
  } cases[] = {
      {"units: MILS|sel_rect: 0 0 100 100", 0.1, "  units: MIL\r\n  sel_rect: 0 0 100 100\r\n"},
      {"sel_rect: 0 0 2540000 2540000", 0.1, "  units: NM\r\n  sel_rect: 0 0 2540000 2540000\r\n"},
      {"sel_rect: 0 0 2540000 2540000|units: MIL", 0.1,
       "  units: MIL\r\n  sel_rect: 0 0 100 100\r\n"},
      {"units: MIL|sel_rect: 0 0 100 100|units:NM", 0.1,
       "  units: NM\r\n  sel_rect: 0 0 2540000 2540000\r\n"},
      {"units: NM|units: MIL|sel_rect: 0 0 1 1", 0.001, "  units: MIL\r\n  sel_rect: 0 0 1 1\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.units_then_rect);
    std::string block = "name: \"U\"\r\n";
    for (const char* p = c.units_then_rect; *p; ++p)
      block += *p == '|' ? std::string("\r\n") : std::string(1, *p);
    const Board board = load_text(fp_board(block + "\r\n"));
    ASSERT_EQ(board.footprints.size(), 1u);
    EXPECT_DOUBLE_EQ(board.footprints[0].sel_rect[2], c.held_x2);
    const std::string text = written_footprints(board);
    EXPECT_NE(text.find(c.written), std::string::npos) << text;
  }
}

TEST(Footprints, AnglesAreFlippedExceptTheCentroids) {
  const struct {
    unsigned file;
    unsigned held;
    unsigned written;
  } cases[] = {{0, 0, 0}, {90, 270, 90}, {270, 90, 270}, {360, 0, 0}, {400, 216, 144}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string a = std::to_string(c.file);
    const Board board = load_text(fp_board(crlf({
        "name: \"A\"",
        ("  ref_text: 0 0 0 " + a + " 0").c_str(),
        ("  value_text: 0 0 0 " + a + " 0").c_str(),
        ("  text: \"T\" 0 0 0 " + a + " 0 0 0").c_str(),
        ("  centroid: 0 0 0 " + a).c_str(),
    })));
    const Footprint& fp = board.footprints.at(0);
    EXPECT_EQ(fp.ref_text.angle, c.held);
    EXPECT_EQ(fp.value_text.angle, c.held);
    EXPECT_EQ(fp.fp_texts.at(0).angle, c.held);
    EXPECT_EQ(fp.centroid.angle, c.file);
    const std::string w = std::to_string(c.written);
    const std::string text = written_footprints(board);
    EXPECT_NE(text.find("  ref_text: 0 0 0 " + w + " 0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  value_text: 0 0 0 " + w + " 0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  text: \"T\" 0 0 0 " + w + " 0 0 0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  centroid: 0 0 0 " + a + "\r\n"), std::string::npos) << text;
  }
}

TEST(Footprints, OptionalRecordsAndHeaderStrings) {
  const Board board = load_text(fp_board(crlf({
      "name: \"BARE\"",
      "author: no quotes here",
      "  units: MIL",
      "",
      "name: \"C3\"",
      "  units: MIL",
      "  centroid: 2 10 -20",
      "  description:\"after\" \"the\"",
  })));
  ASSERT_EQ(board.footprints.size(), 2u);
  EXPECT_EQ(board.footprints[0].author, "");
  EXPECT_EQ(board.footprints[1].description, "after");
  EXPECT_EQ(written_footprints(board), "\r\n[footprints]\r\n" + crlf({
                                                                    "",
                                                                    "name: \"BARE\"",
                                                                    "  units: MIL",
                                                                    "  sel_rect: 0 0 0 0",
                                                                    "  ref_text: 0 0 0 0 0",
                                                                    "  n_pins: 0",
                                                                    "",
                                                                    "name: \"C3\"",
                                                                    "description: \"after\"",
                                                                    "  units: MIL",
                                                                    "  sel_rect: 0 0 0 0",
                                                                    "  ref_text: 0 0 0 0 0",
                                                                    "  centroid: 2 10 -20 0",
                                                                    "  n_pins: 0",
                                                                }));
}

TEST(Footprints, HeaderTextAcrossTwoLines) {
  // The editor keeps a line break typed into a text: the quote closes alone at the end of the
  // next line. Any other next line is a line of its own, and name: is always one line.
  const struct {
    const char* what;
    std::string block;  // the footprint's lines after its name line
    std::string source;
    const char* written;  // the header lines written after the name line
  } cases[] = {
      {"joined", crlf({"source: \"for ", "Perfboard\" \t", "  units: MIL"}), "for \nPerfboard",
       "source: \"for \r\nPerfboard\"\r\n"},
      {"two quotes on the next line", crlf({"source: \"a", "  text: \"b\" 1 1 1 0 1 0 0"}), "a",
       "source: \"a\"\r\n"},
      {"text after the quote", crlf({"source: \"a", "b\" c", "  units: MIL"}), "a",
       "source: \"a\"\r\n"},
      {"blank next line ends the block", crlf({"source: \"a", ""}), "a", "source: \"a\"\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Board board = load_text(fp_board(crlf({"name: \"F\""}) + c.block));
    ASSERT_EQ(board.footprints.size(), 1u);
    const Footprint& fp = board.footprints[0];
    EXPECT_EQ(fp.source, c.source);
    const std::string out = written_footprints(board);
    EXPECT_EQ(out.substr(0, out.find("  units:")),
              "\r\n[footprints]\r\n\r\nname: \"F\"\r\n" + std::string(c.written));
  }
  // The one joined form for author and description too; the name stays on its own line.
  const Board board = load_text(
      fp_board(crlf({"name: \"N", "x\"", "author: \"A", "B\"", "description: \"D", "E\""})));
  ASSERT_EQ(board.footprints.size(), 1u);
  EXPECT_EQ(board.footprints[0].name, "N");
  EXPECT_EQ(board.footprints[0].author, "A\nB");
  EXPECT_EQ(board.footprints[0].description, "D\nE");
  // An open quote on the file's last line: read as it stands.
  EXPECT_EQ(load_error(truncated(crlf({"name: \"F\"", "source: \"a"}))), 11514);
}

TEST(Footprints, NamesAndTextsAreNeverCut) {
  const std::string long_name(300, 'N');
  const std::string long_text(1000, 'x');
  const Board board = load_text(fp_board(crlf({
      ("name: \"" + long_name + "\"").c_str(),
      ("source: \"" + long_text + "\"").c_str(),
      ("  text: \"" + long_text + "\" 1 2 3 0 4 5 6").c_str(),
  })));
  const Footprint& fp = board.footprints.at(0);
  EXPECT_EQ(fp.name, long_name);
  EXPECT_EQ(fp.source, long_text);
  ASSERT_EQ(fp.fp_texts.size(), 1u);
  EXPECT_EQ(fp.fp_texts[0].text, long_text);
  EXPECT_EQ(fp.fp_texts[0].aux2, 6u);
}

TEST(Footprints, Polylines) {
  const Board board = load_text(fp_board(crlf({
      "name: \"P\"",
      "  units: MIL",
      "  outline_polyline: 10 0 0",
      "    next_corner: 100 0 0",
      "    next_corner: 100 100 1",
      "\tnext_corner: 0 100 2",
      "    close_polyline: 3",
      "  outline_polyline: 5 -1 -1",
      "    next_corner: 1 1 0",
      "  text: \"after\" 1 2 3 0 4 5 6",
      "  outline_polyline: 5 0 0",
      "    close_polyline: 0",
  })));
  const Footprint& fp = board.footprints.at(0);
  ASSERT_EQ(fp.polylines.size(), 3u);
  const FootprintPolyline& closed = fp.polylines[0];
  ASSERT_EQ(closed.corners.size(), 3u);
  EXPECT_EQ(closed.closed, 1);
  EXPECT_EQ(closed.close_style, 3u);
  EXPECT_DOUBLE_EQ(closed.corners[1].y, 0.1);
  EXPECT_EQ(closed.corners[2].style, 2u);
  EXPECT_EQ(fp.polylines[1].corners.size(), 1u);
  EXPECT_EQ(fp.polylines[1].closed, 0);
  EXPECT_TRUE(fp.polylines[2].corners.empty());
  EXPECT_EQ(fp.fp_texts.size(), 1u);
  const std::string text = written_footprints(board);
  EXPECT_NE(text.find(crlf({
                "  text: \"after\" 1 2 3 0 4 5 6",
                "  outline_polyline: 10 0 0",
                "    next_corner: 100 0 0",
                "    next_corner: 100 100 1",
                "    next_corner: 0 100 2",
                "    close_polyline: 3",
                "  outline_polyline: 5 -1 -1",
                "    next_corner: 1 1 0",
                "  outline_polyline: 5 0 0",
                "    close_polyline: 0",
                "  n_pins: 0",
            })),
            std::string::npos)
      << text;
}

TEST(Footprints, BlockStructure) {
  // A blank line ends a block; what follows up to the next "name:" line is passed over.
  Board board = load_text(fp_board(crlf({
      "junk before",
      "name: \"A\"",
      "  units: MIL",
      "",
      "  sel_rect: 0 0 9 9",
      "name: \"B\"",
      "  unknown_record: 1 2 3",
      "  units: MIL",
      "  sel_rect: 0 0 1 1",
  })));
  ASSERT_EQ(board.footprints.size(), 2u);
  EXPECT_DOUBLE_EQ(board.footprints[0].sel_rect[2], 0);
  EXPECT_DOUBLE_EQ(board.footprints[1].sel_rect[2], 0.001);
}

TEST(Footprints, SectionAtTheEndOfTheText) {
  // Counting the blocks runs into the end of the text, which is no error there; only a block
  // cut off by it is.
  const std::string name = "t.krv";
  Board board;
  LineReader in(truncated(crlf({"name: \"A\"", "  units: MIL", "", "name: \"B\"", ""})));
  LoadContext ctx{in, board, name, 0};
  read_footprints(ctx);
  ASSERT_EQ(board.footprints.size(), 2u);
  EXPECT_EQ(board.footprints[1].name, "B");
}

TEST(Footprints, Errors) {
  const struct {
    std::string text;
    int code;
    const char* message;
  } cases[] = {
      {"[options]\r\n[texts]\r\n[end]\r\n", 11450, "premature EOF looking for KRV footprints"},
      // Without a blank line between them the second name renames the first block, and pass
      // 2 then finds no second "name:" line.
      {fp_board(crlf({"name: \"A\"", "name: \"B\""})), 11506, "missed footprint in pass 2"},
      {truncated(crlf({"name: \"A\"", "name: \"B\""})), 11514,
       "premature EOF reading KRV Footprints"},
      {truncated(crlf({"name: \"A\"", "  units: MIL"})), 11514,
       "premature EOF reading KRV Footprints"},
      {fp_board(crlf({"name: \"A\"", "  units: mil"})), 15181,
       "unknown units: [units: mil] in footprint \"A\""},
      {fp_board(crlf({"name: \"A\"", "  sel_rect:"})), 15338,
       "A sel_rect record missing 4 parameters"},
      {fp_board(crlf({"name: \"A\"", "  sel_rect: 1 2 3"})), 15338,
       "A sel_rect record missing 1 parameter"},
      {fp_board(crlf({"name: \"A\"", "  sel_rect: 1 2 x 4"})), 15338,
       "A sel_rect record missing 2 parameters"},
      {fp_board(crlf({"name: \"A\"", "  sel_rect: 2 0 1 1"})), 15345,
       "A: invalid sel_rect values: min > max"},
      {fp_board(crlf({"name: \"A\"", "  sel_rect: 0 2 1 1"})), 15345,
       "A: invalid sel_rect values: min > max"},
      {fp_board(crlf({"name: \"A\"", "  ref_text: 1 2 3 0"})), 15367,
       "A ref_text record missing 1 parameter"},
      {fp_board(crlf({"name: \"A\"", "  ref_text:"})), 15367,
       "A ref_text record missing 5 parameters"},
      {fp_board(crlf({"name: \"A\"", "  value_text: 1 2 3 0"})), 15389,
       "bad footprint value record"},
      {fp_board(crlf({"name: \"A\"", "  centroid: 1 2"})), 15415, "bad footprint centroid record"},
      {fp_board(crlf({"name: \"A\"", "  adhesive: 1 2 3"})), 15452,
       "bad footprint adhesive record"},
      {fp_board(crlf({"name: \"A\"", "  text: T 1 2 3 0 4 5 6"})), 15481,
       "A: bad footprint text record: no quoted text"},
      {fp_board(crlf({"name: \"A\"", "  text: \"T\" 1 2 3 0 4 5"})), 15492,
       "A: text record missing 1 parameter"},
      {fp_board(crlf({"name: \"A\"", "  text: \"T\""})), 15492,
       "A: text record missing 7 parameters"},
      // Without a closing quote the numbers are looked for in the text itself.
      {fp_board(crlf({"name: \"A\"", "  text: \"T 1 2 3 0 4 5 6"})), 15492,
       "A: text record missing 7 parameters"},
      {fp_board(crlf({"name: \"A\"", "  outline_polyline: 1 2", "  next_corner: 1 1 0"})), 15527,
       "A: polyline header missing 1 parameter"},
      {fp_board(crlf({"name: \"A\"", "  outline_polyline: 1 2 3"})), 15557,
       "A polyline 1 is degenerate"},
      {fp_board(crlf({"name: \"A\"", "  outline_polyline: 1 2 3", "  next_corner: 1 1 0",
                      "  outline_polyline: 1 2 3", "  units: MIL"})),
       15557, "A polyline 2 is degenerate"},
      {truncated(crlf({"name: \"A\"", "  outline_polyline: 1 2 3", "  next_corner: 1 1 0"})), 15571,
       "A: premature EOF in footprint poly"},
      {fp_board(crlf({"name: \"A\"", "  outline_polyline: 1 2 3", "  next_corner: 1 1"})), 15605,
       "A: next_corner record missing 1 parameter"},
      {fp_board(crlf({"name: \"A\"", "  outline_polyline: 1 2 3", "  next_corner:"})), 15605,
       "A: next_corner record missing 3 parameters"},
      {fp_board(crlf({"name: \"A\"", "  outline_polyline: 1 2 3", "  next_corner: 1 1 0",
                      "  close_polyline:"})),
       15621, "A: close_polyline record missing 1 parameter"},
      {fp_board(crlf({"name: \"A\"", "  outline_polyline: 1 2 3", "  close_polyline: 1",
                      "  next_corner: 1 1 0"})),
       15629, "A: footprint poly scan"},
      // Counted by its first 11 characters, but not a corner record when read.
      {fp_board(crlf({"name: \"A\"", "  outline_polyline: 1 2 3", "  next_corners 1 1 0"})), 15629,
       "A: footprint poly scan"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string message;
    EXPECT_EQ(load_error(c.text, &message), c.code);
    EXPECT_EQ(message, c.message);
  }
}

TEST(Footprints, LoadErrorNamesTheLine) {
  std::string location;
  EXPECT_EQ(load_error(fp_board(crlf({"name: \"A\"", "  units: MIL", "  sel_rect: 1 0 0 0"})),
                       nullptr, &location),
            15345);
  // [options], blank, [footprints], blank, then the block's third line.
  EXPECT_EQ(location, "  at line 7 of \"t.krv\"\n");
}

TEST(Footprints, LibraryRoundTrip) {
  // Footprints of each unit (and one without a units record) with every record and pins of
  // every kind, written with some liberties: an unquoted pin name, optional values left out,
  // pads given twice, a pin without pad lines.
  const std::string library = crlf({
      "name: \"SOIC8\"",
      "author: \"Lab\"",
      "source: \"hand made\"",
      "description: \"8 pin SOIC\"",
      "  units: MIL",
      "  sel_rect: -120 -100 120 100",
      "  ref_text: 50 0 120 90 8",
      "  value_text: 40 0 -120 0 6",
      "  centroid: 1 0 0",
      "  adhesive: 0 20 0 0",
      "  adhesive: 1 20.5 -10 10",
      "  text: \"silk\" 30 10 20 180 5 1 2",
      "  outline_polyline: 8 -80 -60",
      "    next_corner: 80 -60 0",
      "    next_corner: 80 60 0",
      "    close_polyline: 0",
      "  n_pins: 3",
      "    pin: 1 0 -75 -150 90",
      "      top_pad: 2 24 40 40 0 5",
      "      top_mask: 2 28 44 44 0",
      "      top_paste: 2 21 37 37 0",
      "      top_paste: 2 22 38 38 1",
      "    pin: \"2 b\" 0 -25 -150 0",
      "      bottom_pad: 4 24 40 40 12",
      "      bottom_mask: 4 28 44 44 14",
      "      bottom_paste: 4 22 38 38 11",
      "    pin: \"H\" 40 0 0 270",
      "      top_pad: 5 60 30 30 0",
      "      inner_pad: 1 60 0 0 0 0",
      "      bottom_pad: 7 60 30 30",
      "",
      "name: \"TO92\"",
      "  units: NM",
      "  sel_rect: -2540000 -1270000 2540000 1270000",
      "  ref_text: 1270000 0 2000000 0 177800",
      "  centroid: 0 0 0 90",
      "  outline_polyline: 203200 -2286000 0",
      "    next_corner: 2286000 0 1",
      "  n_pins: 2",
      "    pin: \"E\" 812800 -1270000 0 0",
      "      top_pad: 3 1524000 762000 762000 0 3",
      "      inner_pad: 1 1524000 0 0 0",
      "      bottom_pad: 1 1524000 0 0 0",
      "      bottom_mask: 1 1727200 0 0 0",
      "    pin: \"B\" 812800 0 0 0",
      "",
      "name: \"PAD\"",
      "  sel_rect: 0 0 1000000 1000000",
      "  n_pins: 1",
      "    pin: \"1\" 0 500000 500000 0",
      "      bottom_pad: 6 1000000 0 0",
      "",
  });
  const Board first = load_text(fp_board(library));
  ASSERT_EQ(first.footprints.size(), 3u);
  const std::string written = written_footprints(first);
  EXPECT_EQ(written, "\r\n[footprints]\r\n" + crlf({
                                                  "",
                                                  "name: \"SOIC8\"",
                                                  "author: \"Lab\"",
                                                  "source: \"hand made\"",
                                                  "description: \"8 pin SOIC\"",
                                                  "  units: MIL",
                                                  "  sel_rect: -120 -100 120 100",
                                                  "  ref_text: 50 0 120 90 8",
                                                  "  value_text: 40 0 -120 0 6",
                                                  "  centroid: 1 0 0 0",
                                                  "  adhesive: 0 20 0 0",
                                                  "  adhesive: 1 20.5 -10 10",
                                                  "  text: \"silk\" 30 10 20 180 5 1 2",
                                                  "  outline_polyline: 8 -80 -60",
                                                  "    next_corner: 80 -60 0",
                                                  "    next_corner: 80 60 0",
                                                  "    close_polyline: 0",
                                                  "  n_pins: 3",
                                                  "    pin: \"1\" 0 -75 -150 90",
                                                  "      top_pad: 2 24 40 40 0 1",
                                                  "      top_mask: 2 28 44 44 0",
                                                  "      top_paste: 2 22 38 38 1",
                                                  "    pin: \"2 b\" 0 -25 -150 0",
                                                  "      bottom_pad: 4 24 40 40 12",
                                                  "      bottom_mask: 4 28 44 44 14",
                                                  "      bottom_paste: 4 22 38 38 11",
                                                  "    pin: \"H\" 40 0 0 270",
                                                  "      top_pad: 5 60 30 30 0",
                                                  "      inner_pad: 1 60 0 0 0 0",
                                                  "      bottom_pad: 7 60 30 30 0",
                                                  "",
                                                  "name: \"TO92\"",
                                                  "  units: NM",
                                                  "  sel_rect: -2540000 -1270000 2540000 1270000",
                                                  "  ref_text: 1270000 0 2000000 0 177800",
                                                  "  centroid: 0 0 0 90",
                                                  "  outline_polyline: 203200 -2286000 0",
                                                  "    next_corner: 2286000 0 1",
                                                  "  n_pins: 2",
                                                  "    pin: \"E\" 812800 -1270000 0 0",
                                                  "      top_pad: 3 1524000 762000 762000 0 3",
                                                  "      inner_pad: 1 1524000 0 0 0",
                                                  "      bottom_pad: 1 1524000 0 0 0",
                                                  "      bottom_mask: 1 1727200 0 0 0",
                                                  "    pin: \"B\" 812800 0 0 0",
                                                  "      top_pad: 0 0 0 0 0",
                                                  "      inner_pad: 0 0 0 0 0",
                                                  "      bottom_pad: 0 0 0 0 0",
                                                  "",
                                                  "name: \"PAD\"",
                                                  "  units: NM",
                                                  "  sel_rect: 0 0 1000000 1000000",
                                                  "  ref_text: 0 0 0 0 0",
                                                  "  n_pins: 1",
                                                  "    pin: \"1\" 0 500000 500000 0",
                                                  "      bottom_pad: 6 1000000 0 0 0",
                                              }));
  // The whole written board loads again and is written back byte for byte.
  const std::string whole = board_text(first);
  EXPECT_EQ(board_text(load_text(whole)), whole);
}
