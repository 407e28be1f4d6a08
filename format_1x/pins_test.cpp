#include "format_1x/pins.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "format_1x/footprints.h"
#include "format_1x/test_support.h"

namespace {

// A complete board with one MIL footprint "A" whose pin block is `n_pins` and `pin_lines`.
std::string pin_board(const std::string& n_pins, const std::string& pin_lines) {
  return board_with("", "",
                    "name: \"A\"\r\n  units: MIL\r\n  n_pins: " + n_pins + "\r\n" + pin_lines +
                        "\r\n[board]\r\n\r\n[solder_mask_cutouts]\r\n\r\n[parts]\r\n\r\n"
                        "[nets]\r\n\r\n");
}

// The pins of footprint "A" as written back.
std::string written_pins(const std::string& n_pins, const std::string& pin_lines) {
  const Board board = load_text(pin_board(n_pins, pin_lines));
  Output out;
  write_pins(out, board.footprints.at(0), kInchToMil);
  return out.text();
}

}  // namespace

TEST(Pins, PadsWrittenByPinKind) {
  const struct {
    const char* what;
    std::string pin_lines;
    std::string written;
  } cases[] = {
      {"through-hole pin without pad lines: three empty copper pads", crlf({"pin: \"1\" 30 0 0 0"}),
       crlf({"    pin: \"1\" 30 0 0 0", "      top_pad: 0 0 0 0 0", "      inner_pad: 0 0 0 0 0",
             "      bottom_pad: 0 0 0 0 0"})},
      {"through-hole pin: every layer in a fixed order",
       crlf({"pin: \"1\" 30 0 0 0", "bottom_paste: 1 5 0 0 0", "bottom_mask: 1 6 0 0 0",
             "bottom_pad: 1 7 0 0 0", "inner_pad: 1 8 0 0 0", "top_paste: 1 9 0 0 0",
             "top_mask: 1 10 0 0 0", "top_pad: 1 11 0 0 0"}),
       crlf({"    pin: \"1\" 30 0 0 0", "      top_pad: 1 11 0 0 0", "      top_mask: 1 10 0 0 0",
             "      top_paste: 1 9 0 0 0", "      inner_pad: 1 8 0 0 0",
             "      bottom_pad: 1 7 0 0 0", "      bottom_mask: 1 6 0 0 0",
             "      bottom_paste: 1 5 0 0 0"})},
      {"surface pin with top and bottom pads: the top side only",
       crlf({"pin: \"1\" 0 0 0 0", "top_pad: 1 10 0 0", "bottom_pad: 2 12 0 0",
             "bottom_mask: 2 14 0 0 0", "top_paste: 1 8 0 0 0", "inner_pad: 1 20 0 0 0 1"}),
       crlf({"    pin: \"1\" 0 0 0 0", "      top_pad: 1 10 0 0 0", "      top_paste: 1 8 0 0 0"})},
      {"surface pin with only a bottom pad: its top mask is dropped",
       crlf({"pin: \"1\" 0 0 0 0", "top_mask: 1 12 0 0 0", "bottom_pad: 1 10 0 0",
             "bottom_paste: 1 8 0 0 0"}),
       crlf({"    pin: \"1\" 0 0 0 0", "      bottom_pad: 1 10 0 0 0",
             "      bottom_paste: 1 8 0 0 0"})},
      {"flags: sixth value masked to two bits, written only when not 0 (top, bottom)",
       crlf({"pin: \"1\" 30 0 0 0", "top_pad: 1 10 0 0 0 4", "bottom_pad: 1 10 0 0 0 7"}),
       crlf({"    pin: \"1\" 30 0 0 0", "      top_pad: 1 10 0 0 0", "      inner_pad: 0 0 0 0 0",
             "      bottom_pad: 1 10 0 0 0 3"})},
      {"flags: sixth value 1, and kept when the record comes again without one",
       crlf({"pin: \"1\" 0 0 0 0", "top_pad: 1 10 0 0 0 1", "top_pad: 2 12 1 1"}),
       crlf({"    pin: \"1\" 0 0 0 0", "      top_pad: 2 12 1 1 0 1"})},
      {"inner pad: a sixth value 0 is written",
       crlf({"pin: \"1\" 30 0 0 0", "inner_pad: 1 10 0 0 0 0"}),
       crlf({"    pin: \"1\" 30 0 0 0", "      top_pad: 0 0 0 0 0", "      inner_pad: 1 10 0 0 0 0",
             "      bottom_pad: 0 0 0 0 0"})},
      {"inner pad: no sixth value, none written",
       crlf({"pin: \"1\" 30 0 0 0", "inner_pad: 1 10 0 0 0"}),
       crlf({"    pin: \"1\" 30 0 0 0", "      top_pad: 0 0 0 0 0", "      inner_pad: 1 10 0 0 0",
             "      bottom_pad: 0 0 0 0 0"})},
      {"bottom pad shape 7 is accepted and kept",
       crlf({"pin: \"1\" 0 0 0 0", "bottom_pad: 7 10 5 5"}),
       crlf({"    pin: \"1\" 0 0 0 0", "      bottom_pad: 7 10 5 5 0"})},
      {"a top pad without size is fine on a through-hole pin",
       crlf({"pin: \"1\" 30 0 0 0", "top_pad: 1 0 0 0"}),
       crlf({"    pin: \"1\" 30 0 0 0", "      top_pad: 1 0 0 0 0", "      inner_pad: 0 0 0 0 0",
             "      bottom_pad: 0 0 0 0 0"})},
      {"rounded pad whose radius is exactly half its width",
       crlf({"pin: \"1\" 0 0 0 0", "top_pad: 4 10 6 6 5"}),
       crlf({"    pin: \"1\" 0 0 0 0", "      top_pad: 4 10 6 6 5"})},
      {"unquoted names, angles, and a pad line indented with a tab",
       crlf({"pin:   P7 0 1.5 -2 270", "\ttop_pad: 1 10 0 0"}),
       crlf({"    pin: \"P7\" 0 1.5 -2 270", "      top_pad: 1 10 0 0 0"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(written_pins("1", c.pin_lines), c.written);
  }
}

TEST(Pins, HeldValues) {
  const Board board =
      load_text(pin_board("2", crlf({"pin: \"1\" 40 -100 50 270", "  inner_pad: 4 60 10 20 5 2",
                                     "pin: \"2\" 0 0 0 90", "  top_pad: 1 10 0 0 0 3"})));
  const Footprint& fp = board.footprints.at(0);
  ASSERT_EQ(fp.pins.size(), 2u);
  const FootprintPin& th = fp.pins[0];
  EXPECT_EQ(th.angle, 90u);
  EXPECT_DOUBLE_EQ(th.hole, 0.04);
  EXPECT_DOUBLE_EQ(th.x, -0.1);
  EXPECT_TRUE(th.inner_flags_given);
  EXPECT_EQ(th.inner_pad.flags, 2u);
  EXPECT_DOUBLE_EQ(th.inner_pad.radius, 0.005);
  EXPECT_EQ(fp.pins[1].angle, 270u);
  EXPECT_EQ(fp.pins[1].top_pad.flags, 3u);
}

TEST(Pins, BlockShape) {
  // Surplus pin lines and their pads are passed over; a count of 0 reads no pins at all.
  const std::string surplus =
      written_pins("1", crlf({"pin: \"1\" 0 0 0 0", "top_pad: 1 10 0 0", "pin: \"2\" 0 0 0 0",
                              "top_pad: 1 10 0 0", "  text: \"skipped\" 1 1 1 0 1 0 0"}));
  EXPECT_EQ(surplus, crlf({"    pin: \"1\" 0 0 0 0", "      top_pad: 1 10 0 0 0"}));
  const Board none = load_text(pin_board("0", crlf({"pin: \"1\" 0 0 0 0", "top_pad: 1 1 1 1"})));
  EXPECT_TRUE(none.footprints.at(0).pins.empty());
  // Names of any length are kept whole.
  const std::string long_name(500, 'p');
  const Board named =
      load_text(pin_board("1", crlf({("pin: \"" + long_name + "\" 30 0 0 0").c_str()})));
  EXPECT_EQ(named.footprints.at(0).pins.at(0).name, long_name);
}

TEST(Pins, CountBeyondTheFileEndsAtTheFirstMissingPin) {
  // A count the file cannot back up is never used to size anything: the reading ends where the
  // pin lines do, quickly, with the error the next line decides.
  const auto start = std::chrono::steady_clock::now();
  std::string message;
  EXPECT_EQ(load_error(pin_board("4000000000", crlf({"pin: \"1\" 30 0 0 0"})), &message), 15679);
  EXPECT_EQ(message, "A: blank line while reading pins");
  EXPECT_EQ(load_error("[options]\r\n[footprints]\r\nname: \"A\"\r\n  n_pins: 4000000000\r\n"
                       "    pin: \"1\" 30 0 0 0\r\n",
                       &message),
            15670);
  EXPECT_EQ(message, "A: premature EOF reading fp pins");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(Pins, Errors) {
  const struct {
    std::string text;
    int code;
    const char* message;
  } cases[] = {
      {pin_board("", ""), 15651, "A: n_pins record missing 1 parameter"},
      {"[options]\r\n[footprints]\r\nname: \"A\"\r\n  n_pins: 1\r\n", 15670,
       "A: premature EOF reading fp pins"},
      {"[options]\r\n[footprints]\r\nname: \"A\"\r\n  n_pins: 1\r\n  pin: \"1\" 30 0 0 0\r\n"
       "    top_pad: 1 1 1 1\r\n",
       15670, "A: premature EOF reading fp pins"},
      {pin_board("2", crlf({"pin: \"1\" 30 0 0 0"})), 15679, "A: blank line while reading pins"},
      {pin_board("1", crlf({"  text: \"T\" 1 2 3 0 4 5 6"})), 15686, "A: bad pin record"},
      {pin_board("2", crlf({"pin: \"1\" 30 0 0 0", "  junk", "pin: \"2\" 30 0 0 0"})), 16034,
       "unknown record type in pin: \"junk\""},
      {pin_board("1", crlf({"pin: \"\" 30 0 0 0"})), 15694, "A: bad (empty) pin name"},
      {pin_board("1", crlf({"pin: \"1 30 0 0 0"})), 15694, "A: bad (empty) pin name"},
      {pin_board("1", crlf({"pin:  "})), 15694, "A: bad (empty) pin name"},
      {pin_board("1", crlf({"pin: \"1\" 30 0 0"})), 15704, "A: pin record missing 1 parameter"},
      {pin_board("1", crlf({"pin: \"1\""})), 15704, "A: pin record missing 4 parameters"},
      {pin_board("1", crlf({"pin: 1"})), 15704, "A: pin record missing 4 parameters"},
      {pin_board("1", crlf({"pin: 1 30 0"})), 15704, "A: pin record missing 2 parameters"},
      // One character after the closing quote is passed over, whatever it is.
      {pin_board("1", crlf({"pin: \"1\"7 8 9 0"})), 15704, "A: pin record missing 1 parameter"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string message;
    EXPECT_EQ(load_error(c.text, &message), c.code);
    EXPECT_EQ(message, c.message);
  }
}

TEST(Pins, PadErrors) {
  // Pad lines under a surface pin ("S") or a through-hole pin ("T") named 1 of footprint A.
  const struct {
    char pin;
    const char* pad;
    int code;
    const char* message;
  } cases[] = {
      {'S', "top_pad: 1 10 0", 15751, "A: bad fp top_pad record"},
      {'S', "top_pad: 7 10 5 5", 15779, "A.1: invalid top pad shape: > 6"},
      {'T', "top_pad: 7 10 5 5", 15779, "A.1: invalid top pad shape: > 6"},
      {'T', "top_pad: 4 10 5 5 5.01", 15787, "A.1: invalid top pad size: radius too large"},
      {'T', "top_pad: 4 20 2 2 2.5", 15787, "A.1: invalid top pad size: radius too large"},
      {'S', "top_pad: 1 0 5 5", 15799, "A.1: invalid top SMT pad size: 0.0"},
      {'S', "top_pad: 6 0 5 5", 15799, "A.1: invalid top SMT pad size: 0.0"},
      {'S', "top_pad: 3 10 0 0", 15807, "A.1: invalid top SMT pad size: 0.0"},
      {'S', "top_pad: 5 0 5 5", 15807, "A.1: invalid top SMT pad size: 0.0"},
      {'S', "top_pad: 4 0 5 5", 15816, "A.1: invalid top SMT pad size: 0.0"},
      {'S', "top_pad: 4 10 -5 5", 15816, "A.1: invalid top SMT pad size: 0.0"},
      {'T', "inner_pad:", 15838, "A.1: inner_pad record missing 4 parameters"},
      {'T', "inner_pad: 1 10 0", 15838, "A.1: inner_pad record missing 1 parameter"},
      {'T', "inner_pad: 1 10", 15838, "A.1: inner_pad record missing 2 parameters"},
      {'T', "inner_pad: 7 10 5 5", 15844, "A.1: invalid inner pad shape: > 6"},
      {'T', "inner_pad: 4 10 5 5 6", 15885, "A.1: invalid inner pad size: radius too large"},
      {'S', "bottom_pad: 1", 15900, "bad fp bottom_pad record"},
      {'T', "bottom_pad: 4 10 2 2 3", 15920, "A.1: invalid bottom SMT pad size: radius too large"},
      {'S', "bottom_pad: 2 0 5 5", 15933, "A.1: invalid bottom SMT pad size: 0.0"},
      {'S', "bottom_pad: 3 0 5 5", 15942, "A.1: invalid bottom SMT pad size: 0.0"},
      {'S', "bottom_pad: 4 10 0 0", 15951, "A.1: invalid bottom SMT pad size: 0.0"},
      {'S', "top_mask: 1 10 0 0", 15969, "bad fp top_sm record"},
      {'S', "top_paste: 1 10 0 0", 15986, "bad fp top_pm record"},
      {'S', "bottom_mask: 1 10 0 0", 16003, "bad fp bottom_sm record"},
      {'S', "bottom_paste:", 16020, "bad fp bottom_pm record"},
      // The pin block is the footprint's last part: another footprint record there is an error.
      {'S', "  units: MIL", 16034, "unknown record type in pin: \"units: MIL\""},
      {'S', "name: \"B\"", 16034, "unknown record type in pin: \"name: \"B\"\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pad);
    const char* pin = c.pin == 'S' ? "pin: \"1\" 0 0 0 0" : "pin: \"1\" 30 0 0 0";
    std::string message;
    EXPECT_EQ(load_error(pin_board("1", crlf({pin, c.pad})), &message), c.code);
    EXPECT_EQ(message, c.message);
  }
}

TEST(Pins, SurfacePinWithoutCopperFailsWhenWritten) {
  // The pin block accepts it; it cannot be written, and nothing of the board text comes out.
  const Board board =
      load_text(pin_board("1", crlf({"pin: \"9\" 0 0 0 0", "top_mask: 1 1 1 1 1"})));
  try {
    board_text(board);
    ADD_FAILURE() << "no error";
  } catch (const FatalError& e) {
    EXPECT_EQ(e.code, 16214);
    EXPECT_STREQ(e.what(), "Footprint A: SMT pin 9 has no copper");
    EXPECT_EQ(e.location, "");
  }
}
