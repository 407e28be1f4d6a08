#include "format_2x/load_2x.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "format_2x/test_support_2x.h"

namespace {

const std::string kPart =
    "part: R1\n  ref_text: 1000000 150000 0 -1300000 1100000 1\n"
    "  shape: \"FP\"\n  pos: 12000000 8000000 0 30 0\n\n";

TEST(Load2x, VersionRecordDecidesTheRoad) {
  const struct {
    const char* text;
    bool is_2x;
    double version;
    uint32_t line;
  } cases[] = {
      {"[options]\n\nversion: 1.999\n", false, 0, 0},
      {"[options]\n\nversion: 2.0\n", true, 2.0, 3},
      {"[options]\n\n \t version: 2.427\n", true, 2.427, 3},
      // Read as the options reader reads it: from the character after "version: ".
      {"[options]\nversion:2.427\n", false, 0, 0},
      {"[options]\napp_folder: \"D:\\Apps\\\"\nversion: 2.427\n", true, 2.427, 3},
      // Tools write lines before the options.
      {"\n\nC:\\Work\\board2.krv\n\n[options]\nversion: 2.1\n", true, 2.1, 6},
      {"[options]\nversion: 1.352\nversion: 2.2\n", true, 2.2, 3},
      {"[options]\r\nversion: 2.017\r\n", true, 2.017, 2},
      // Only the options count.
      {"[options]\n[footprints]\nversion: 2.427\n", false, 0, 0},
      {"[options]\nversion: two\n", false, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<Version2x> v = find_2x_version(c.text);
    ASSERT_EQ(v.has_value(), c.is_2x);
    if (!v) continue;
    EXPECT_DOUBLE_EQ(v->version, c.version);
    EXPECT_EQ(v->line, c.line);
  }
}

TEST(Load2x, CountsTheFileLines) {
  const std::string board = board_2x("2.427", kPart);
  const struct {
    std::string text;
    uint32_t lines;
  } cases[] = {
      {board, 26},
      {board.substr(0, board.size() - 1), 26},  // no final line end
      {board + "\n", 27},
      {board + "   ", 27},
      {board_2x("2.427", kPart, "", 2, "\r\n"), 26},
  };
  for (const auto& c : cases) {
    Board b;
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_board_text(b, c.text, "t.krv", RunFlags{}), c.lines);
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(b.source_2x.has_value());
  }
}

TEST(Load2x, ReadsTheOptionsItNeedsAndNoOthers) {
  const struct {
    const char* records;
    uint32_t units;
    double mask_clearance_mm;
    uint32_t copper_layers;
  } cases[] = {
      {"units: MIL\nmask_clearance: 100000\nn_copper_layers: 4\n", 2, 0.1, 4},
      {"units: MM\nmask_clearance: 0.1mm\nn_copper_layers: 2\n", 1, 0.1, 2},
      {"mask_clearance: 4mil\n", 0, 0.1016, 0},
      {"mask_clearance:0.2 MM\n", 0, 0.2, 0},
      {"mask_clearance: none\nn_copper_layers: x\n", 0, 0, 0},
      {"n_copper_layers: -4\n", 0, 0, 0},
      // Records never seen before, unit suffixes, %f values: read past without a word.
      {"default_trace_width:0.3mm\nm_visible_layers: -70001\npdf_pin1: -0.500000\n"
       "  width_menu_item: 2 0.3mm 0.9mm 0.45mm\nwhatever\n",
       0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.records);
    const std::string text = "[options]\nversion: 2.427\n" + std::string(c.records) +
                             "[parts]\n\n" + kPart + "[texts]\n\n[end]\n";
    const Converted2x r = convert_2x(text, RunFlags{.skip_refdes = 1});
    EXPECT_EQ(r.messages, "");
    EXPECT_EQ(r.board.options.units, c.units);
    EXPECT_NEAR(r.board.options.mask_clearance * 25.4, c.mask_clearance_mm, 1e-12);
    EXPECT_EQ(r.board.options.n_copper_layers, c.copper_layers);
  }
}

TEST(Load2x, ReadsThePartsAsTheConversionAndTheCheckNeedThem) {
  const std::string parts =
      "part:\t R5|2 \t\n"
      "  ref_text: 800000 120000 -90 1500000 -200000 -842150451\n"
      "  shape: \"TH2X254\"\n"
      "  merge: 0 -1\n"
      "\n"  // an empty line does not end a part
      "  pos: 20000000 5000000 1 450 0\n"
      "part: \xc4\xd1\x31\n"
      "  ref_text: 1000000 150000 0 0 0\n"
      "  pos: 0 0 2 -90\n"
      "part: U1\n"
      "  ref_text: 1 2 3 4 5 6\n"
      "  ref_text: \t \n"  // the last ref_text counts: not placed
      "part: U2\n"
      "  shape: \"none\n"
      "  pos: 1 2 0 0 0\n";
  const Converted2x r = convert_2x(board_2x("2.427", parts), RunFlags{.skip_refdes = 1});
  ASSERT_EQ(r.board.parts.size(), 4u);
  const Part& a = r.board.parts[0];
  EXPECT_EQ(a.name, "R5|2");
  EXPECT_EQ(a.shape, "TH2X254");
  EXPECT_FALSE(a.empty_ref_text);
  EXPECT_EQ(a.side, 1u);
  EXPECT_EQ(a.angle, 270u);          // file 450 is 90, held 270
  EXPECT_EQ(a.ref_text_angle, 90u);  // file -90 is 270, held 90
  EXPECT_EQ(a.ref_text_visible, static_cast<uint32_t>(-842150451));
  EXPECT_DOUBLE_EQ(a.ref_text_height, 800000 / 25400000.0);
  EXPECT_DOUBLE_EQ(a.ref_text_x, 1500000 / 25400000.0);
  EXPECT_DOUBLE_EQ(a.ref_text_y, -200000 / 25400000.0);
  EXPECT_DOUBLE_EQ(a.pos_x, 20000000 / 25400000.0);
  EXPECT_EQ(a.footprint_index, -1);  // bound only for the check

  const Part& b = r.board.parts[1];
  EXPECT_EQ(b.name, "\xc4\xd1\x31");
  EXPECT_EQ(b.side, 0u);  // any side other than 1 is the top
  EXPECT_EQ(b.angle, 90u);
  EXPECT_EQ(b.ref_text_visible, 1u);  // five values: shown

  EXPECT_TRUE(r.board.parts[2].empty_ref_text);
  EXPECT_TRUE(r.board.parts[3].empty_ref_text);  // no ref_text at all
  EXPECT_EQ(r.board.parts[3].shape, "");
}

TEST(Load2x, FaultsAreReportedWithTheirLineFirstInFileOrder) {
  // Line numbers: the part body starts at line 15 of board_2x.
  const struct {
    const char* name;
    std::string text;
    int code;
    const char* message;
    uint32_t line;
  } cases[] = {
      {"short ref_text", board_2x("2.427", "part: R1\n  ref_text: 1 2 3 4\n"), 12077,
       "bad parts ref_text: record", 16},
      {"ref_text number cut by text", board_2x("2.427", "part: R1\n  ref_text: 1 2 3 4 x 6\n"),
       12077, "bad parts ref_text: record", 16},
      {"earlier ref_text line checked too",
       board_2x("2.427", "part: R1\n  ref_text: 1 2\n  ref_text: 1 2 3 4 5 6\n"), 12077,
       "bad parts ref_text: record", 16},
      {"short pos", board_2x("2.427", "part: R1\n  ref_text:\n  pos: 1 2 0\n"), 12131,
       "bad parts pos: record", 17},
      {"pos before ref_text", board_2x("2.427", "part: R1\n  pos: 1 2\n  ref_text: 1\n"), 12131,
       "bad parts pos: record", 16},
      {"nameless part", board_2x("2.427", "part: R1\npart: \t\n"), 12050, "bad part: record", 16},
      {"no parts", "[options]\nversion: 2.427\n[texts]\n[end]\n", 11989,
       "premature EOF looking for KRV parts", 4},
      {"no texts", "[options]\nversion: 2.427\n[parts]\npart: R1\n  pos: 1\n", 12131,
       "bad parts pos: record", 5},
      {"no texts, parts sound", "[options]\nversion: 2.427\n[parts]\npart: R1\n[end]", 13084,
       "premature EOF looking for KRV text", 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const LoadFailure f = load_failure_2x(c.text);
    EXPECT_EQ(f.code, c.code);
    EXPECT_EQ(f.message, c.message);
    EXPECT_EQ(f.location, "  at line " + std::to_string(c.line) + " of \"t.krv\"\n");
  }
}

TEST(Load2x, RecordsTheConversionDoesNotNeedAreNeverFaults) {
  const std::string parts =
      "  ref_text: 1 2\n"  // before the first part: belongs to no part
      "part: R1\n"
      "  ref_text: 1000000 150000 0 0 0 1 trailing words\n"
      "  value: \"22k|0603\n"
      "  shape: no quotes\n"
      "  package: \n"
      "  pos: 1 2 0 0 junk\n"
      "  3d_model: \"`x`|\"\n";
  const std::string texts = "text: \"unclosed 1 2 3\ntext: \"X\" 1 2\ntext_line: 1 2 3 4\n";
  const Converted2x r = convert_2x(board_2x("2.427", parts, texts));
  EXPECT_EQ(r.converted, 1);
  EXPECT_TRUE(r.board.texts.size() == 1 && r.board.texts[0].part_index == 0);
  expect_sound_conversion(board_2x("2.427", parts, texts), r);
}

TEST(Load2x, MirroringIsRefusedAtTheVersionRecordBeforeAnyCaution) {
  for (const char* version : {"2.017", "2.427", "2.5"}) {
    SCOPED_TRACE(version);
    RunFlags flags;
    flags.mirror_mode = 1;
    // Faults further down are not reached.
    const LoadFailure f = load_failure_2x(
        "[options]\napp_folder: x\nversion: " + std::string(version) + "\n[parts]\npart:\n", flags);
    EXPECT_EQ(f.code, 11401);
    EXPECT_EQ(f.message, "mirroring boards of version " + std::string(version) +
                             (std::string(version).size() == 3 ? "00" : "") + " is not supported");
    EXPECT_EQ(f.location, "  at line 3 of \"t.krv\"\n");
    EXPECT_EQ(f.printed, "");
  }
}

TEST(Load2x, VersionsAboveTheNewestTestedLoadWithACaution) {
  const struct {
    const char* version;
    const char* printed;
  } cases[] = {
      {"2.428", ""},
      {"2.4281",
       "\n\nCaution: Loading an untested version Korvel file:\n Loading: V2.428, Latest Tested: "
       "V2.428\n\n"},
      {"3.1",
       "\n\nCaution: Loading an untested version Korvel file:\n Loading: V3.100, Latest Tested: "
       "V2.428\n\n"},
  };
  for (const auto& c : cases) {
    // No file-version warning either, whatever file_version says.
    const Converted2x r = convert_2x(board_2x(c.version, kPart), RunFlags{.skip_refdes = 1});
    EXPECT_EQ(r.messages, c.printed) << c.version;
  }
}

TEST(Load2x, ReadsTheTextsForTheCheck) {
  const std::string texts =
      "text: \"IN\" 3000000 -2000000 10 -90 0 1500000 200000 0 -1 -1\n"
      "text_line: 3100000 2000000 3100000 3500000\n"
      "\n"
      "text: \"\xd2\xc5\" 1 2 11 450 1 3 4\n"
      "text: \"short\" 1 2 11 0 1 3\n"
      "text: \"decimals\" 1.5 2 11 0 1 3 4\n";
  const Converted2x r = convert_2x(board_2x("2.427", "", texts));
  ASSERT_EQ(r.board.texts.size(), 2u);
  const BoardText& a = r.board.texts[0];
  EXPECT_EQ(a.text, "IN");
  EXPECT_DOUBLE_EQ(a.x, 3000000 / 25400000.0);
  EXPECT_DOUBLE_EQ(a.y, -2000000 / 25400000.0);
  EXPECT_EQ(a.layer, 10u);
  EXPECT_EQ(a.angle, 90u);  // file -90 is 270, held 90
  EXPECT_EQ(a.mirror, 0u);
  EXPECT_DOUBLE_EQ(a.height, 1500000 / 25400000.0);
  EXPECT_DOUBLE_EQ(a.stroke_width, 200000 / 25400000.0);
  EXPECT_EQ(a.part_index, -1);
  EXPECT_EQ(r.board.texts[1].text, "\xd2\xc5");
  EXPECT_EQ(r.board.texts[1].angle, 270u);
  EXPECT_EQ(r.board.texts[1].mirror, 1u);
}

TEST(Load2x, NewTextsTakeTheFirstTextsNumberCountOrTheVersions) {
  const struct {
    const char* version;
    const char* texts;
    int numbers;
  } cases[] = {
      {"2.427", "", 10},
      {"2.033", "", 10},
      {"2.028", "", 9},
      {"2.017", "", 9},
      {"2.427", "text: \"A\" 1 2 10 0 0 3 4 0 -1\n", 9},
      {"2.028", "text: \"A\" 1 2 10 0 0 3 4 0 -1 -1\n", 10},
      // Only the first text counts, and only a count of 9 or 10.
      {"2.427", "text: \"A\" 1 2 10 0 0 3 4 0\ntext: \"B\" 1 2 10 0 0 3 4 0 -1\n", 10},
      {"2.028", "text: \"A\" 1 2 10 0 0 3 4 0 -1 -1 7\n", 9},
      {"2.028", "text: \"A 1 2 10 0 0 3 4 0 -1 -1\n", 9},
      // Counted after the first string's closing quote.
      {"2.427", "text: \"A\" 1 2 10 0 0 3 4 0 -1 \"x\" 5\n", 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " " + c.texts);
    const std::string input = board_2x(c.version, kPart, c.texts);
    const Converted2x r = convert_2x(input);
    const size_t at = r.text.find("text: \"R1\"");
    ASSERT_NE(at, std::string::npos);
    const std::string record = r.text.substr(at, r.text.find('\n', at) - at);
    EXPECT_EQ(test_2x_detail::words(record).size() - 2, static_cast<size_t>(c.numbers)) << record;
    expect_sound_conversion(input, r);
  }
}

TEST(Load2x, NewTextsGoBeforeTheHeaderAfterTexts) {
  const std::string part = "part: R1\n  ref_text: 1 2 0 0 0 1\n  pos: 0 0 0 0 0\n";
  const std::string record = "text: \"R1\" 0 0 10 0 0 1 2 0 -1 -1\n\n";
  const struct {
    const char* name;
    std::string input;
    std::string output;
  } cases[] = {
      {"next header", "[options]\nversion: 2.427\n[parts]\n" + part + "[texts]\n  [merges]\n",
       "[options]\nversion: 2.427\n[parts]\npart: R1\n  ref_text: 0 0 0 0 0 1\n  pos: 0 0 0 0 0\n"
       "[texts]\n" +
           record + "  [merges]\n"},
      {"texts before parts", "[options]\nversion: 2.427\n[texts]\n\n[parts]\n" + part,
       "[options]\nversion: 2.427\n[texts]\n\n" + record +
           "[parts]\npart: R1\n  ref_text: 0 0 0 0 0 1\n  pos: 0 0 0 0 0\n"},
      {"texts last", "[options]\nversion: 2.427\n[parts]\n" + part + "[texts]\n",
       "[options]\nversion: 2.427\n[parts]\npart: R1\n  ref_text: 0 0 0 0 0 1\n  pos: 0 0 0 0 0\n"
       "[texts]\n" +
           record},
      {"texts last, no final line end", "[options]\nversion: 2.427\n[parts]\n" + part + "[texts]",
       "[options]\nversion: 2.427\n[parts]\npart: R1\n  ref_text: 0 0 0 0 0 1\n  pos: 0 0 0 0 0\n"
       "[texts]\n" +
           record},
      {"last line blanks only", "[options]\nversion: 2.427\n[parts]\n" + part + "[texts]\n   ",
       "[options]\nversion: 2.427\n[parts]\npart: R1\n  ref_text: 0 0 0 0 0 1\n  pos: 0 0 0 0 0\n"
       "[texts]\n   \n" +
           record},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Converted2x r = convert_2x(c.input);
    EXPECT_EQ(r.text, c.output);
    expect_sound_conversion(c.input, r);
  }
}

}  // namespace
