// Values no editor writes but a file can hold: layer numbers of any size, angles past 360,
// coordinates far off any board (and inf, nan, -0, which the length scans accept), names and
// texts thousands of characters long. Each gets one defined outcome: a small board carrying it
// is loaded, mirrored and/or converted, and written, and the written records are compared byte
// for byte (or the numbered error is checked).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "format_1x/test_support.h"
#include "transform/mirror.h"
#include "transform/refdes.h"

namespace {

// A small complete board: two copper layers, one footprint with two pins, one outline, one
// cutout, one part, one net with a trace and an area, one text.
std::string base_board() {
  std::string layers;
  const char* names[] = {"selection",     "background",    "visible grid", "highlight",
                         "DRE",           "board outline", "top silk",     "bottom silk",
                         "top sm cutout", "bot sm cutout", "thru pad",     "top notes",
                         "top copper",    "bottom copper"};
  for (int k = 0; k < 14; ++k) {
    layers += "  layer_info: \"" + std::string(names[k]) + "\" " + std::to_string(k) + " 0 0 0 1\n";
  }
  std::string text = "[options]\n\nfile_version: 1.344\n\nn_copper_layers: 2\n" + layers +
                     R"(
[footprints]

name: "R0603"
  units: NM
  sel_rect: -1000000 -500000 1000000 500000
  ref_text: 635000 0 800000 0 127000
  n_pins: 2
    pin: "1" 0 -750000 0 0
      top_pad: 1 800000 400000 400000 0
    pin: "2" 0 750000 0 0
      top_pad: 1 800000 400000 400000 0

[board]

outline: 4 0
  corner: 1 0 0 0
  corner: 2 50800000 0 0
  corner: 3 50800000 38100000 0
  corner: 4 0 38100000 0

[solder_mask_cutouts]

sm_cutout: 2 7 8
  corner: 1 5080000 5080000 1
  corner: 2 10160000 5080000 0

[parts]

part: R1
  ref_text: 635000 127000 0 0 800000 1
  package: "0603"
  shape: "R0603"
  pos: 10160000 10160000 0 0 0

[nets]

net: "GND" 1 1 1 254000 711200 381000 1
  pin: 1 R1.1
  connect: 1 0 1 1 0
    vtx: 1 10160000 9410000 12 0 0 0 0
    seg: 1 12 254000 0 0
    vtx: 2 20320000 9410000 12 0 0 0 0
  area: 1 4 12 0
    corner: 1 1270000 1270000 0 0
    corner: 2 49530000 1270000 0 0
    corner: 3 49530000 36830000 0 0
    corner: 4 1270000 36830000 0 1

[texts]

text: "T" 2540000 35560000 6 0 0 1270000 127000 0

[end]
)";
  std::string crlf_text;
  for (char c : text) crlf_text += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return crlf_text;
}

struct Case {
  const char* name;
  bool mirror;
  bool convert;
  // Line replacements in the base board (whole lines, without their line end).
  std::vector<std::pair<std::string, std::string>> edits;
  // Lines that must appear in the written board, in this order, whole.
  std::vector<std::string> expected;
  int error = 0;  // the numbered error instead, when not 0
};

std::string edited_board(const Case& c) {
  std::string text = base_board();
  for (const auto& [from, to] : c.edits) {
    const size_t at = text.find(from + "\r\n");
    EXPECT_NE(at, std::string::npos) << c.name << ": no line " << from;
    // An empty replacement takes the line out, line end and all.
    if (at != std::string::npos) text.replace(at, from.size() + (to.empty() ? 2 : 0), to);
  }
  return text;
}

// Load, mirror and/or convert, write: the written text, or the code of the numbered error.
std::pair<std::string, int> run(const Case& c) {
  const std::string text = edited_board(c);
  testing::internal::CaptureStderr();
  try {
    Board board = load_text(text);
    RunFlags flags;
    flags.mirror_mode = c.mirror;
    if (c.mirror) mirror_board(board);
    if (c.convert) convert_refdes(board, flags);
    std::string out = board_text(board);
    testing::internal::GetCapturedStderr();
    return {out, 0};
  } catch (const FatalError& e) {
    testing::internal::GetCapturedStderr();
    return {e.what(), e.code};
  }
}

// Whether every expected line stands whole in `out`, in order.
void expect_lines(const Case& c, const std::string& out) {
  size_t from = 0;
  for (const std::string& line : c.expected) {
    const size_t at = out.find("\r\n" + line + "\r\n", from);
    ASSERT_NE(at, std::string::npos)
        << c.name << ": no line (in order) " << line.substr(0, 200) << "\nwritten:\n"
        << out.substr(0, 4000);
    from = at + line.size() + 2;
  }
}

const std::string kHuge1e300 =
    "1000000000000000052504760255204420248704468581108159154915854115511802457988908195786371375"
    "080447864043704443832883878176942523235360430575644792184786706982848387200926575803737830"
    "233794788090059368953234970799945081119038967640880074652742780142494579258788820056842838"
    "115669472196386865459400540160";

TEST(HostileValues, LayerNumbersOfAnySizeAreKeptAndMirroringLeavesThoseBeyondItsMapAlone) {
  const std::vector<Case> cases = {
      {"layers kept as read",
       false,
       false,
       {{"sm_cutout: 2 7 8", "sm_cutout: 2 7 4294967295"},
        {"    vtx: 1 10160000 9410000 12 0 0 0 0",
         "    vtx: 1 10160000 9410000 4000000000 0 0 0 0"},
        {"    seg: 1 12 254000 0 0", "    seg: 1 99 254000 0 0"},
        {"text: \"T\" 2540000 35560000 6 0 0 1270000 127000 0",
         "text: \"T\" 2540000 35560000 4000000000 0 0 1270000 127000 0"}},
       {"sm_cutout: 2 7 4294967295", "    vtx: 1 10160000 9410000 4000000000 0 0 0 0",
        "    seg: 1 99 254000 0 0",
        "text: \"T\" 2540000 35560000 4000000000 0 0 1270000 127000 0"}},
      // Indexes from 32 on stay; 31 is inside the map and, on this board, maps to itself; 7 and
      // 13 (bottom copper) move.
      {"mirrored layers",
       true,
       false,
       {{"sm_cutout: 2 7 8", "sm_cutout: 2 7 4294967295"},
        {"    vtx: 1 10160000 9410000 12 0 0 0 0",
         "    vtx: 1 10160000 9410000 4000000000 0 0 0 0"},
        {"    seg: 1 12 254000 0 0", "    seg: 1 32 254000 0 0"},
        {"    vtx: 2 20320000 9410000 12 0 0 0 0", "    vtx: 2 20320000 9410000 31 0 0 0 0"},
        {"text: \"T\" 2540000 35560000 6 0 0 1270000 127000 0",
         "text: \"T\" 2540000 35560000 7 45 0 1270000 127000 0\r\n\r\n"
         "text: \"U\" 2540000 35560000 40 45 0 1270000 127000 0"},
        {"  area: 1 4 12 0", "  area: 1 4 13 0"}},
       {"sm_cutout: 2 7 4294967295", "    vtx: 1 -10160000 9410000 4000000000 0 0 0 0",
        "    seg: 1 32 254000 0 0", "    vtx: 2 -20320000 9410000 31 0 0 0 0", "  area: 1 4 12 0",
        "text: \"T\" -2540000 35560000 8 45 1 1270000 127000 0",
        "text: \"U\" -2540000 35560000 40 45 1 1270000 127000 0"}},
      // The most copper layers the table holds: inner layers beyond the map keep their index.
      {"52 copper layers mirrored",
       true,
       false,
       {{"n_copper_layers: 2", "n_copper_layers: 52"},
        {"  layer_info: \"bottom copper\" 13 0 0 0 1",
         [] {
           std::string lines = "  layer_info: \"bottom copper\" 13 0 0 0 1";
           for (int k = 14; k < 64; ++k) {
             lines += "\r\n  layer_info: \"inner " + std::to_string(k - 13) + "\" " +
                      std::to_string(k) + " 0 0 0 1";
           }
           return lines;
         }()},
        {"    seg: 1 12 254000 0 0", "    seg: 1 14 254000 0 0"},
        {"text: \"T\" 2540000 35560000 6 0 0 1270000 127000 0",
         "text: \"T\" 2540000 35560000 40 45 0 1270000 127000 0"}},
       {"n_copper_layers: 52", "  layer_info: \"inner 50\" 63 0 0 0 1", "    seg: 1 14 254000 0 0",
        "text: \"T\" -2540000 35560000 40 45 1 1270000 127000 0"}},
      // An area must lie on a copper layer, whatever its number.
      {"area layer", false, false, {{"  area: 1 4 12 0", "  area: 1 4 4000000000 0"}}, {}, 13018},
      {"area layer, reserved net",
       true,
       false,
       {{"net: \"GND\" 1 1 1 254000 711200 381000 1",
         "net: \"KEEPOUT\" 1 1 1 254000 711200 381000 1"},
        {"  area: 1 4 12 0", "  area: 1 4 4000000000 0"}},
       {"net: \"KEEPOUT\" 1 1 1 254000 711200 381000 1", "  area: 1 4 4000000000 0"}},
  };
  for (const Case& c : cases) {
    const auto [out, code] = run(c);
    EXPECT_EQ(code, c.error) << c.name << ": " << (code ? out : "");
    if (code == 0) expect_lines(c, out);
  }
}

// Angles are whole degrees in unsigned 32-bit arithmetic: held = (360 - a) mod 360 and written
// back the same way. 2^32 is 256 modulo 360, so an angle past 360 does not come back as itself:
// 400 is held as 216 and written as 144.
TEST(HostileValues, AnglesPast360WrapInUnsigned32BitArithmetic) {
  const std::vector<Case> cases = {
      {"text angles",
       false,
       false,
       {{"text: \"T\" 2540000 35560000 6 0 0 1270000 127000 0",
         "text: \"T\" 2540000 35560000 6 400 0 1270000 127000 0\r\n\r\n"
         "text: \"U\" 2540000 35560000 6 4294967295 0 1270000 127000 0\r\n\r\n"
         "text: \"V\" 2540000 35560000 6 360 0 1270000 127000 0"}},
       {"text: \"T\" 2540000 35560000 6 144 0 1270000 127000 0",
        "text: \"U\" 2540000 35560000 6 359 0 1270000 127000 0",
        "text: \"V\" 2540000 35560000 6 0 0 1270000 127000 0"}},
      // Mirroring moves only texts at 0, 90, 180 and 270; a wrapped angle is none of these.
      {"text angle mirrored",
       true,
       false,
       {{"text: \"T\" 2540000 35560000 6 0 0 1270000 127000 0",
         "text: \"T\" 2540000 35560000 6 450 0 1270000 127000 0"}},
       {"text: \"T\" -2540000 35560000 6 194 1 1270000 127000 0"}},
      // 436 is held as 180, a right angle: the part passes the pin checks and is written at 180.
      {"part angle 436",
       false,
       true,
       {{"  pos: 10160000 10160000 0 0 0", "  pos: 10160000 10160000 0 436 0"}},
       {"  pos: 10160000 10160000 0 180 0",
        "text: \"R1\" 10160000 9360000 6 180 0 635000 127000 0"}},
      {"part angle 45",
       false,
       false,
       {{"  pos: 10160000 10160000 0 0 0", "  pos: 10160000 10160000 0 45 0"}},
       {},
       10783},
      {"part angle 4294967295",
       false,
       false,
       {{"  pos: 10160000 10160000 0 0 0", "  pos: 10160000 10160000 0 4294967295 0"}},
       {},
       10783},
      // A part without a shape has no pins to check: any angle loads, wraps, mirrors.
      {"part without shape",
       true,
       true,
       {{"  shape: \"R0603\"", ""},
        {"  pos: 10160000 10160000 0 0 0", "  pos: 10160000 10160000 0 4000000000 0"},
        {"  ref_text: 635000 127000 0 0 800000 1",
         "  ref_text: 635000 127000 4000000000 0 800000 1"}},
       {"  ref_text: 0 0 144 0 800000", "  pos: -10160000 10160000 1 216 0"}},
  };
  for (const Case& c : cases) {
    const auto [out, code] = run(c);
    EXPECT_EQ(code, c.error) << c.name << ": " << (code ? out : "");
    if (code == 0) expect_lines(c, out);
  }
  std::string message;
  load_error(edited_board(cases[3]), &message);
  EXPECT_EQ(message, "R1: bad rotation angle (315)");
  load_error(edited_board(cases[4]), &message);
  EXPECT_EQ(message, "R1: bad rotation angle (1)");
}

// Integer forms stop at the ends of the int range (NaN gives 0); sizes past 2^63, infinities and
// NaN give 0; the footprint, part and outline forms print the value in full, "inf" and "nan"
// padded to six characters as "%6.6lf" does; -0 prints as 0.
TEST(HostileValues, CoordinatesFarOffAnyBoardGetDefinedIntegerAndDecimalForms) {
  const std::vector<Case> cases = {
      {"integer forms",
       false,
       false,
       {{"    vtx: 1 10160000 9410000 12 0 0 0 0", "    vtx: 1 1e15 -1e300 12 0 inf nan 0"},
        {"    seg: 1 12 254000 0 0", "    seg: 1 12 1e300 0 0"},
        {"    vtx: 2 20320000 9410000 12 0 0 0 0", "    vtx: 2 -0 nan 12 0 -inf 5e9 0"},
        {"    corner: 1 1270000 1270000 0 0", "    corner: 1 inf -inf 0 0"},
        {"text: \"T\" 2540000 35560000 6 0 0 1270000 127000 0",
         "text: \"T\" -1e15 1e300 6 0 0 inf nan 0"}},
       {"    vtx: 1 2147483647 -2147483648 12 0 0 0 0", "    seg: 1 12 0 0 0",
        "    vtx: 2 0 0 12 0 0 705032704 0", "    corner: 1 2147483647 -2147483648 0 0",
        "text: \"T\" -2147483648 2147483647 6 0 0 0 0 0"}},
      {"decimal forms",
       false,
       false,
       {{"  corner: 1 0 0 0", "  corner: 1 -0 1e300 0"},
        {"  corner: 2 50800000 0 0", "  corner: 2 inf nan 0"},
        {"  corner: 1 5080000 5080000 1", "  corner: 1 1e15 -inf 1"},
        {"  pos: 10160000 10160000 0 0 0", "  pos: -0 1e300 0 0 0"},
        {"  sel_rect: -1000000 -500000 1000000 500000", "  sel_rect: -1e300 -0 inf inf"}},
       {"  sel_rect: -" + kHuge1e300 + " 0    inf    inf", "  corner: 1 0 " + kHuge1e300 + " 0",
        "  corner: 2    inf    nan 0", "  corner: 1 999999999999999.875   -inf 1",
        "  pos: 0 " + kHuge1e300 + " 0 0 0"}},
      // Mirrored, -0 stays 0 and the ends of the range trade places.
      {"mirrored",
       true,
       true,
       {{"  corner: 1 0 0 0", "  corner: 1 -0 0 0"},
        {"  pos: 10160000 10160000 0 0 0", "  pos: 1e15 -1e300 0 0 0"},
        {"    vtx: 1 10160000 9410000 12 0 0 0 0", "    vtx: 1 1e15 -0 12 0 0 0 0"}},
       {"  corner: 1 0 0 0", "  pos: -999999999999999.875 -" + kHuge1e300 + " 1 0 0",
        "    vtx: 1 -2147483648 0 13 0 0 0 0",
        "text: \"R1\" -2147483648 -2147483648 7 0 1 635000 127000 0"}},
  };
  for (const Case& c : cases) {
    const auto [out, code] = run(c);
    EXPECT_EQ(code, c.error) << c.name << ": " << (code ? out : "");
    if (code == 0) expect_lines(c, out);
  }
}

TEST(HostileValues, NamesAndTextsThousandsOfCharactersLongAreKeptWhole) {
  const std::string text(5000, 'T');
  const std::string part(3000, 'P');
  const std::string footprint(3000, 'F');
  const std::string net(4000, 'N');
  const std::string pin(3000, 'Q');
  const std::string layer(3000, 'L');
  const std::string project(10000, 'J');
  const Case c = {
      "long names",
      false,
      true,
      {{"file_version: 1.344", "file_version: 1.344\r\nproject_name: \"" + project + "\""},
       {"  layer_info: \"top notes\" 11 0 0 0 1", "  layer_info: \"" + layer + "\" 11 0 0 0 1"},
       {"name: \"R0603\"", "name: \"" + footprint + "\""},
       {"part: R1", "part: " + part},
       {"  shape: \"R0603\"", "  shape: \"" + footprint + "\""},
       {"net: \"GND\" 1 1 1 254000 711200 381000 1",
        "net: \"" + net + "\" 1 1 1 254000 711200 381000 1"},
       {"  pin: 1 R1.1", "  pin: 1 " + pin},
       {"text: \"T\" 2540000 35560000 6 0 0 1270000 127000 0",
        "text: \"" + text + "\" 2540000 35560000 6 0 0 1270000 127000 0"}},
      {"project_name: \"" + project + "\"", "  layer_info: \"" + layer + "\" 11 0 0 0 1",
       "name: \"" + footprint + "\"", "part: " + part, "  shape: \"" + footprint + "\"",
       "net: \"" + net + "\" 1 1 1 254000 711200 381000 1", "  pin: 1 " + pin,
       "text: \"" + text + "\" 2540000 35560000 6 0 0 1270000 127000 0",
       "text: \"" + part + "\" 10160000 10960000 6 0 0 635000 127000 0"}};
  const auto [out, code] = run(c);
  ASSERT_EQ(code, 0) << out;
  expect_lines(c, out);
}

}  // namespace
