#include "format_1x/parts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/load.h"
#include "format_1x/sections.h"
#include "format_1x/test_support.h"
#include "board/write.h"
#include "io/fatal_error.h"

namespace {

// A board whose footprint table holds `names`, as the footprint reader would leave it.
Board board_with_footprints(const std::vector<std::string>& names) {
  Board board;
  for (const std::string& name : names) board.footprints.emplace_back().name = name;
  return board;
}

// The lines of a [parts] section between its header and the next section, joined with CR LF.
std::string parts_text(std::initializer_list<const char*> lines) {
  std::string text = "[options]\r\n\r\n[parts]\r\n\r\n";
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text + "\r\n[nets]\r\n\r\n[end]\r\n";
}

void read(Board& board, const std::string& text) {
  LineReader in(text);
  const std::string name = "t.krv";
  LoadContext ctx{in, board, name, 0};
  read_parts(ctx);
}

// The code of the FatalError that reading raises, or 0.
int read_error(const std::string& text, std::string* message = nullptr) {
  Board board = board_with_footprints({"R0805", "SO8"});
  try {
    read(board, text);
  } catch (const FatalError& e) {
    if (message) *message = e.what();
    return e.code;
  }
  return 0;
}

std::string written(const Board& board) {
  Output out;
  write_parts(out, board);
  return out.text();
}

constexpr double kNm = 3.937007874015748e-8;

TEST(PartsRead, EveryRecordOfAPart) {
  Board board = board_with_footprints({"R0805", "SO8"});
  read(board, parts_text({
                  "part: U1",
                  "  ref_text: 1270000 152400 90 254000 -508000 0",
                  "  package: \"SOIC-8\"",
                  "  value: \"LM358\" 1016000 127000 180 0 762000 1",
                  "  shape: \"SO8\"",
                  "  pos: 25400000 12700000 1 270 7",
              }));
  ASSERT_EQ(board.parts.size(), 1u);
  const Part& p = board.parts[0];
  EXPECT_EQ(p.name, "U1");
  EXPECT_DOUBLE_EQ(p.ref_text_height, 1270000 * kNm);
  EXPECT_DOUBLE_EQ(p.ref_text_stroke_width, 152400 * kNm);
  EXPECT_EQ(p.ref_text_angle, 270u);
  EXPECT_DOUBLE_EQ(p.ref_text_x, 254000 * kNm);
  EXPECT_DOUBLE_EQ(p.ref_text_y, -508000 * kNm);
  EXPECT_EQ(p.ref_text_visible, 0u);
  EXPECT_EQ(p.package, "SOIC-8");
  EXPECT_EQ(p.value, "LM358");
  EXPECT_DOUBLE_EQ(p.value_height, 1016000 * kNm);
  EXPECT_DOUBLE_EQ(p.value_stroke_width, 127000 * kNm);
  EXPECT_EQ(p.value_angle, 180u);
  EXPECT_DOUBLE_EQ(p.value_x, 0);
  EXPECT_DOUBLE_EQ(p.value_y, 762000 * kNm);
  EXPECT_EQ(p.value_visible, 1u);
  EXPECT_EQ(p.shape, "SO8");
  EXPECT_EQ(p.footprint_index, 1);
  EXPECT_DOUBLE_EQ(p.pos_x, 1.0);
  EXPECT_DOUBLE_EQ(p.pos_y, 0.5);
  EXPECT_EQ(p.side, 1u);
  EXPECT_EQ(p.angle, 90u);
  EXPECT_EQ(p.pos_aux, 7u);
}

TEST(PartsRead, BlocksRecordsAndVisibilityDefaults) {
  Board board = board_with_footprints({"R0805", "SO8"});
  read(board, parts_text({
                  "part: R1",
                  "  ref_text: 1 2 0 3 4",  // five values: visible
                  "  # a comment line is passed over",
                  "  shape: \"SO8\"",
                  "  shape: \"R0805\"",          // the last record wins
                  "  pos: 0 0 0 0 0 99",         // a sixth value is ignored
                  "part: R2",                    // no empty line before the next part
                  "\tvalue: \"10k\" 1 1 0 0 0",  // five values: visible
                  "  package: \"\"",             // an empty package is a package
                  "  pos: 0 0 0 0 0",
                  "",
                  "part:    C3   trailing words",  // no records at all
                  "  ",
                  "part:LED4",
                  "",
              }));
  ASSERT_EQ(board.parts.size(), 4u);
  EXPECT_EQ(board.parts[0].name, "R1");
  EXPECT_EQ(board.parts[0].ref_text_visible, 1u);
  EXPECT_EQ(board.parts[0].shape, "R0805");
  EXPECT_EQ(board.parts[0].footprint_index, 0);
  EXPECT_EQ(board.parts[1].name, "R2");
  EXPECT_EQ(board.parts[1].value_visible, 1u);
  EXPECT_EQ(board.parts[1].value, "10k");
  EXPECT_EQ(board.parts[1].ref_text_visible, 0u);
  // Parts without a shape record are bound to no footprint at all.
  EXPECT_EQ(board.parts[1].footprint_index, -1);
  EXPECT_EQ(board.parts[2].name, "C3");
  EXPECT_EQ(board.parts[2].footprint_index, -1);
  EXPECT_EQ(board.parts[2].value_visible, 0u);
  EXPECT_EQ(board.parts[3].name, "LED4");
}

TEST(PartsRead, PartWithoutShapeIsUnboundEvenBesideAnUnnamedFootprint) {
  Board board = board_with_footprints({""});
  read(board, parts_text({"part: J1", "  pos: 0 0 0 0 0"}));
  ASSERT_EQ(board.parts.size(), 1u);
  EXPECT_EQ(board.parts[0].footprint_index, -1);
}

TEST(PartsRead, EmptySectionReadsAndWritesNoParts) {
  Board board = board_with_footprints({});
  read(board, "[parts]\r\n\r\n[nets]\r\n");
  EXPECT_TRUE(board.parts.empty());
  EXPECT_EQ(written(board), "\r\n\r\n[parts]\r\n");
}

TEST(PartsRead, EveryFatalErrorWithItsMessage) {
  const struct {
    std::string text;
    int code;
    const char* message;
  } cases[] = {
      {"[options]\r\n[nets]\r\n", 11989, "premature EOF looking for KRV parts"},
      {"[parts]\r\npart: R1\r\n", 12013, "premature EOF in parts Pass 1"},
      {parts_text({"part:"}), 12050, "bad part: record"},
      {parts_text({"part: \t "}), 12050, "bad part: record"},
      {parts_text({"part: R1", "ref_text: 1 2 0 3"}), 12077, "bad parts ref_text: record"},
      {parts_text({"part: R1", "ref_text: 1"}), 12077, "bad parts ref_text: record"},
      {parts_text({"part: R1", "ref_text: 1 2"}), 12077, "bad parts ref_text: record"},
      {parts_text({"part: R1", "ref_text:\tx"}), 12077, "bad parts ref_text: record"},
      {parts_text({"part: R1", "package: SOIC"}), 12095, "bad parts package: record"},
      {parts_text({"part: R1", "package: \"SOIC"}), 12095, "bad parts package: record"},
      {parts_text({"part: R1", "shape: SO8"}), 12107, "bad parts shape: record"},
      {parts_text({"part: R1", "shape: \"SO8"}), 12107, "bad parts shape: record"},
      {parts_text({"part: R1", "shape: \"\""}), 12107, "bad parts shape: record"},
      {parts_text({"part: R1", "shape: \"so8\""}), 12118,
       "Part \"R1\" uses unknown footprint \"so8\""},
      {parts_text({"part: R1", "shape: \"SO8 \""}), 12118,
       "Part \"R1\" uses unknown footprint \"SO8 \""},
      {parts_text({"part: R1", "pos: 0 0 0 0"}), 12131, "bad parts pos: record"},
      {parts_text({"part: R1", "pos: 0 0 x 0 0"}), 12131, "bad parts pos: record"},
      {parts_text({"part: R1", "value: 10k 1 1 0 0 0"}), 12147, "bad part value string, too long"},
      {parts_text({"part: R1", "value: \"10k 1 1 0 0 0"}), 12147,
       "bad part value string, too long"},
      // Two blanks before the quote: the numbers are looked for on the closing quote.
      {parts_text({"part: R1", "value:  \"10k\" 1 1 0 0 0"}), 12157, "bad parts value: record"},
      {parts_text({"part: R1", "value: \"10k\" 1 1 0 0"}), 12157, "bad parts value: record"},
      {parts_text({"part: R1", "value: \"\""}), 12157, "bad parts value: record"},
      // A block that is not ended before the file ends, here running over the [end] line.
      {"[parts]\r\npart: R1\r\n  pos: 0 0 0 0 0\r\n[end]\r\n", 12174,
       "premature EOF reading parts record 1, Pass 2"},
  };
  for (const auto& c : cases) {
    std::string message;
    EXPECT_EQ(read_error(c.text, &message), c.code) << c.text;
    EXPECT_EQ(message, c.message) << c.text;
  }
}

TEST(PartsRead, ValueNumbersFollowTheClosingQuote) {
  Board board = board_with_footprints({});
  // A long value text with blanks and digits inside the quotes: the scan starts after them.
  read(board, parts_text({"part: R1", "value: \"1 2 3 4 5 6 a long value text\" 7 8 90 9 10 0"}));
  const Part& p = board.parts.at(0);
  EXPECT_EQ(p.value, "1 2 3 4 5 6 a long value text");
  EXPECT_DOUBLE_EQ(p.value_height, 7 * kNm);
  EXPECT_DOUBLE_EQ(p.value_stroke_width, 8 * kNm);
  EXPECT_EQ(p.value_angle, 270u);
  EXPECT_DOUBLE_EQ(p.value_x, 9 * kNm);
  EXPECT_DOUBLE_EQ(p.value_y, 10 * kNm);
  EXPECT_EQ(p.value_visible, 0u);
}

TEST(PartsRead, AnglesAreHeldReversedAndWrittenBackAsRead) {
  const struct {
    unsigned file, held, written;
  } cases[] = {{0, 0, 0}, {90, 270, 90}, {180, 180, 180}, {270, 90, 270}, {360, 0, 0}};
  for (const auto& c : cases) {
    const std::string a = std::to_string(c.file);
    const std::string ref = "ref_text: 1 1 " + a + " 0 0";
    const std::string value = "value: \"v\" 1 1 " + a + " 0 0 1";
    const std::string pos = "pos: 0 0 0 " + a + " 0";
    Board board = board_with_footprints({});
    board.options.version = 1.35;
    read(board, parts_text({"part: R1", ref.c_str(), value.c_str(), pos.c_str()}));
    const Part& p = board.parts.at(0);
    EXPECT_EQ(p.ref_text_angle, c.held) << c.file;
    EXPECT_EQ(p.value_angle, c.held) << c.file;
    EXPECT_EQ(p.angle, c.held) << c.file;
    const std::string w = std::to_string(c.written);
    EXPECT_EQ(written(board), "\r\n\r\n[parts]\r\n\r\npart: R1\r\n  ref_text: 1 1 " + w +
                                  " 0 0 1\r\n  value: \"v\" 1 1 " + w + " 0 0 1\r\n  pos: 0 0 0 " +
                                  w + " 0\r\n")
        << c.file;
  }
}

TEST(PartsWrite, DialectFollowsTheFileVersion) {
  const char* kPart[] = {"part: R1", "  ref_text: 558800 50800 0 -254000 508000 0",
                         "  value: \"10k\" 762000 76200 90 0 -381000 0", "  shape: \"R0805\"",
                         "  pos: 25400000 -12700000 1 0 0"};
  const struct {
    double version;
    int visibility_supported;
    const char* package;
    const char* expected;
  } cases[] = {
      // Up to 1.3431: neither the visibility value nor the value line.
      {1.343, 0, "", "\r\npart: R1\r\n  ref_text: 558800 50800 0 -254000 508000\r\n"},
      // A package that is given is written whatever the version.
      {1.343, 0, "0805",
       "\r\npart: R1\r\n  ref_text: 558800 50800 0 -254000 508000\r\n  package: \"0805\"\r\n"},
      {1.344, 0, "",
       "\r\npart: R1\r\n  ref_text: 558800 50800 0 -254000 508000 0\r\n"
       "  value: \"10k\" 762000 76200 90 0 -381000 0\r\n"},
      // From 1.347 on the package line is always there, empty or not.
      {1.347, 1, "",
       "\r\npart: R1\r\n  ref_text: 558800 50800 0 -254000 508000 0\r\n  package: \"\"\r\n"
       "  value: \"10k\" 762000 76200 90 0 -381000 0\r\n"},
  };
  for (const auto& c : cases) {
    Board board = board_with_footprints({"R0805"});
    const std::string package = std::string("  package: \"") + c.package + "\"";
    read(board, parts_text({kPart[0], kPart[1], package.c_str(), kPart[2], kPart[3], kPart[4]}));
    board.options.version = c.version;
    board.options.refdes_visibility_supported = c.visibility_supported;
    EXPECT_EQ(written(board), std::string("\r\n\r\n[parts]\r\n") + c.expected +
                                  "  shape: \"R0805\"\r\n  pos: 25400000 -12700000 1 0 0\r\n")
        << c.version << " " << c.package;
  }
}

TEST(PartsWrite, WrittenSectionReadsBackTheSame) {
  Board board = board_with_footprints({"R0805", "SO8"});
  board.options.version = 1.355;
  board.options.refdes_visibility_supported = 1;
  read(board, parts_text({
                  "part: U1", "  ref_text: 1270000 152400 90 254000 -508000 0",
                  "  package: \"SOIC-8\"", "  value: \"LM358 dual\" 1016000 127000 180 0 762000 1",
                  "  shape: \"SO8\"", "  pos: 25400000 12700000 1 270 7", "part: J2",
                  "  pos: -1 -2 0 45 0",  // no shape record: written without one
              }));
  const std::string first = written(board);
  const std::string unshaped =
      "part: J2\r\n  ref_text: 0 0 0 0 0 0\r\n  package: \"\"\r\n  pos: -1 -2 0 45 0\r\n";
  ASSERT_GE(first.size(), unshaped.size());
  EXPECT_EQ(first.substr(first.size() - unshaped.size()), unshaped);
  Board again = board_with_footprints({"R0805", "SO8"});
  again.options = board.options;
  read(again, first + "\r\n[nets]\r\n");
  EXPECT_EQ(written(again), first);
  EXPECT_EQ(again.parts.at(1).footprint_index, -1);
}

TEST(PartsRead, UnplacedPartKeepsTheEditorsEmptyRecords) {
  // A part that came in with the netlist and was never placed, as the editor writes it, and a
  // part whose empty records are replaced by later ones (the last record counts).
  Board board = board_with_footprints({"R0805", "SO8"});
  board.options.version = 1.359;
  board.options.refdes_visibility_supported = 1;
  read(board, parts_text({"part: R42", "  ref_text: ", "  package: \"PanelMount\"", "  shape: \t",
                          "  pos: 0 0 0 0 0", "", "part: R43", "  ref_text:", "  shape: ",
                          "  ref_text: 1 2 0 3 4", "  shape: \"SO8\"", "  pos: 0 0 0 0 0"}));
  ASSERT_EQ(board.parts.size(), 2u);
  const Part& r42 = board.parts[0];
  EXPECT_TRUE(r42.empty_ref_text);
  EXPECT_TRUE(r42.empty_shape);
  EXPECT_EQ(r42.footprint_index, -1);
  const Part& r43 = board.parts[1];
  EXPECT_FALSE(r43.empty_ref_text);
  EXPECT_FALSE(r43.empty_shape);
  EXPECT_EQ(r43.footprint_index, 1);
  EXPECT_EQ(written(board),
            "\r\n\r\n[parts]\r\n"
            "\r\npart: R42\r\n  ref_text: \r\n  package: \"PanelMount\"\r\n  shape: \r\n"
            "  pos: 0 0 0 0 0\r\n"
            "\r\npart: R43\r\n  ref_text: 1 2 0 3 4 1\r\n  package: \"\"\r\n  shape: \"SO8\"\r\n"
            "  pos: 0 0 0 0 0\r\n");
}

TEST(PartsLoad, PartWithoutShapeIsPassedOverByThePinChecks) {
  // J1 stands at 45 degrees, which the pin checks refuse for a part with pins; having no
  // footprint, it is not checked at all. R1 binds to the footprint by name.
  const std::string text =
      "[options]\r\n\r\n[footprints]\r\n\r\nname: \"R0603\"\r\n  units: NM\r\n"
      "  n_pins: 1\r\n    pin: \"1\" 0 0 0 0\r\n      top_pad: 1 1 1 1 0\r\n\r\n"
      "[board]\r\n\r\n[solder_mask_cutouts]\r\n\r\n[parts]\r\n\r\n"
      "part: J1\r\n  pos: 0 0 0 45 0\r\n\r\n"
      "part: R1\r\n  shape: \"R0603\"\r\n  pos: 0 0 0 0 0\r\n\r\n"
      "[nets]\r\n\r\n[texts]\r\n\r\n[end]\r\n";
  Board board;
  testing::internal::CaptureStderr();
  load_board_text(board, text, "t.krv", RunFlags{});
  ASSERT_EQ(board.parts.size(), 2u);
  EXPECT_EQ(board.parts[0].footprint_index, -1);
  EXPECT_EQ(board.parts[1].footprint_index, 0);
  // What is written loads again and is written the same.
  const std::string first = board_text(board);
  Board again;
  load_board_text(again, first, "t_ref.krv", RunFlags{});
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(board_text(again), first);
}

}  // namespace

TEST(PartsLoad, RecordsThatStayRefusedNameTheirLine) {
  // Only a record with nothing after its keyword is an unplaced part's; every other bad
  // record is refused as before, pointing at its line.
  const struct {
    const char* record;
    int code;
  } cases[] = {
      {"  ref_text: 1270000", 12077},
      {"  ref_text: 1270000 152400", 12077},
      {"  ref_text: 1270000 152400 0 0", 12077},
      {"  shape: \"\"", 12107},
      {"  shape: \"SO8", 12107},
      {"  shape: \"SO9\"", 12118},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record);
    const std::string text = board_with(
        "", "",
        "name: \"SO8\"\r\n\r\n[board]\r\n\r\n[solder_mask_cutouts]\r\n\r\n[parts]\r\n\r\n"
        "part: R1\r\n" +
            std::string(c.record) + "\r\n  pos: 0 0 0 0 0\r\n\r\n[nets]\r\n\r\n");
    std::string location;
    EXPECT_EQ(load_error(text, nullptr, &location), c.code);
    EXPECT_EQ(location, "  at line 14 of \"t.krv\"\n");
  }
}
