#include "transform/refdes.h"

#include <gtest/gtest.h>

#include <string>

#include "io/fatal_error.h"

namespace {

constexpr uint32_t kTopSilk = 7;
constexpr uint32_t kBottomSilk = 8;
constexpr uint32_t kInner1 = 14;
constexpr uint32_t kInner2 = 15;

// A board with the usual layer table: silkscreens at 7 and 8, copper from 12 on.
Board board_with_layers(uint32_t copper_layers) {
  Board board;
  const char* names[] = {"selection",   "background",    "visible grid",     "highlight",
                         "DRC error",   "board outline", "rat line",         "top silk",
                         "bottom silk", "top sm cutout", "bottom sm cutout", "thru pad",
                         "top copper",  "bottom copper", "inner 1",          "inner 2"};
  for (size_t i = 0; i < std::size(names); ++i) board.options.layers[i].name = names[i];
  board.options.n_copper_layers = copper_layers;
  return board;
}

Part make_part(const char* name, uint32_t side, uint32_t angle, uint32_t ref_text_angle) {
  Part p;
  p.name = name;
  p.side = side;
  p.angle = angle;
  p.ref_text_angle = ref_text_angle;
  p.pos_x = 1.0;
  p.pos_y = 2.0;
  p.ref_text_x = 0.1;
  p.ref_text_y = 0.2;
  p.ref_text_height = 0.022;
  p.ref_text_stroke_width = 0.003;
  p.ref_text_visible = 1;
  return p;
}

// Runs the conversion with stderr captured; returns what was printed.
std::string convert(Board& board, const RunFlags& flags, int* converted = nullptr) {
  testing::internal::CaptureStderr();
  int n = 0;
  try {
    n = convert_refdes(board, flags);
  } catch (...) {
    testing::internal::GetCapturedStderr();
    throw;
  }
  if (converted) *converted = n;
  return testing::internal::GetCapturedStderr();
}

TEST(ConvertRefdes, PlacesTheTextWhereTheReferenceStood) {
  const double shift_r1 = 27.0 / 22.0 * 0.022;  // 0.027
  const struct {
    const char* what;
    Part part;
    double x, y;
    uint32_t angle, mirror, layer;
  } cases[] = {
      {"top at 0", make_part("R1", 0, 0, 0), 1.1, 2.2, 0, 0, kTopSilk},
      {"top at 90", make_part("R1", 0, 90, 0), 0.8, 2.1, 90, 0, kTopSilk},
      {"top at 180", make_part("R1", 0, 180, 0), 0.9, 1.8, 180, 0, kTopSilk},
      {"top at 270", make_part("R1", 0, 270, 0), 1.2, 1.9, 270, 0, kTopSilk},
      {"top at 90, text at 90", make_part("R1", 0, 90, 90), 0.8, 2.1, 180, 0, kTopSilk},
      {"top at 270, text at 180", make_part("R1", 0, 270, 180), 1.2, 1.9, 90, 0, kTopSilk},
      {"bottom R1 at 0", make_part("R1", 1, 0, 0), 1.0 - 0.1 - shift_r1, 2.2, 0, 1, kBottomSilk},
      {"bottom, text at 90", make_part("R1", 1, 0, 90), 0.9, 2.2 + shift_r1, 270, 1, kBottomSilk},
      {"bottom at 90", make_part("R1", 1, 90, 0), 0.8, 1.9 - shift_r1, 90, 1, kBottomSilk},
      {"bottom at 180", make_part("R1", 1, 180, 0), 1.1 + shift_r1, 1.8, 180, 1, kBottomSilk},
      {"bottom at 270", make_part("R1", 1, 270, 0), 1.2, 2.1 + shift_r1, 270, 1, kBottomSilk},
      {"top at 45 keeps the offset", make_part("R1", 0, 45, 30), 1.1, 2.2, 75, 0, kTopSilk},
      {"bottom at 45 keeps the offset", make_part("R1", 1, 45, 30), 0.9 - shift_r1, 2.2, 15, 1,
       kBottomSilk},
      {"side 2 is top", make_part("R1", 2, 90, 0), 0.8, 2.1, 90, 0, kTopSilk},
      // U12 is 49/22 heights wide.
      {"bottom U12", make_part("U12", 1, 0, 0), 0.9 - 49.0 / 22.0 * 0.022, 2.2, 0, 1, kBottomSilk},
      // A byte outside the table is as wide as C in the estimate, but kept in the text.
      {"bottom \xe9", make_part("\xe9", 1, 0, 0), 0.9 - 15.0 / 22.0 * 0.022, 2.2, 0, 1,
       kBottomSilk},
  };
  for (const auto& c : cases) {
    Board board = board_with_layers(2);
    board.parts.push_back(c.part);
    convert(board, RunFlags{});
    ASSERT_EQ(board.texts.size(), 1u) << c.what;
    const BoardText& t = board.texts[0];
    EXPECT_EQ(t.text, c.part.name) << c.what;
    EXPECT_NEAR(t.x, c.x, 1e-12) << c.what;
    EXPECT_NEAR(t.y, c.y, 1e-12) << c.what;
    EXPECT_EQ(t.angle, c.angle) << c.what;
    EXPECT_EQ(t.mirror, c.mirror) << c.what;
    EXPECT_EQ(t.layer, c.layer) << c.what;
    EXPECT_DOUBLE_EQ(t.height, 0.022) << c.what;
    EXPECT_DOUBLE_EQ(t.stroke_width, 0.003) << c.what;
    EXPECT_EQ(t.extra_value, 0u) << c.what;
  }
}

TEST(ConvertRefdes, R1OnTheBottomLandsAt0873) {
  Board board = board_with_layers(2);
  board.parts.push_back(make_part("R1", 1, 0, 0));
  convert(board, RunFlags{});
  EXPECT_NEAR(board.texts.at(0).x, 0.873, 1e-12);
  EXPECT_NEAR(board.texts.at(0).y, 2.2, 1e-12);
}

TEST(ConvertRefdes, HidesTheReferenceByMethodAndPlacement) {
  const struct {
    const char* what;
    int use_visibility, supported, debug;
    uint32_t copper_layers;
    const char* message;
    uint32_t top_layer, bottom_layer;
    uint32_t visible;
    double height, stroke;
  } cases[] = {
      {"-V on a 1.347 file", 1, 1, 0, 2, "", kTopSilk, kBottomSilk, 0, 0.022, 0.003},
      {"-V on an older file", 1, 0, 0, 2, "", kTopSilk, kBottomSilk, 1, 0, 0},
      {"height/stroke", 0, 1, 0, 2, "", kTopSilk, kBottomSilk, 1, 0, 0},
      {"-D on 2 layers", 0, 0, 1, 2, "\n    Board only has 2 layers, debug disabled", kTopSilk,
       kBottomSilk, 1, 0, 0},
      {"-D on 3 layers", 0, 0, 1, 3, "\n    Board only has 3 layers, debug disabled", kTopSilk,
       kBottomSilk, 1, 0, 0},
      {"-D on 4 layers", 0, 0, 1, 4, "\n    Debug mode...", kInner1, kInner2, 1, 0.022, 0},
      {"-D -V on 4 layers", 1, 1, 1, 4, "\n    Debug mode...", kInner1, kInner2, 1, 0.022, 0},
  };
  for (const auto& c : cases) {
    Board board = board_with_layers(c.copper_layers);
    board.options.refdes_visibility_supported = c.supported;
    board.parts.push_back(make_part("C1", 0, 0, 0));
    board.parts.push_back(make_part("C2", 1, 0, 0));
    RunFlags flags;
    flags.use_visibility = c.use_visibility;
    flags.debug_mode = c.debug;
    int converted = 0;
    EXPECT_EQ(convert(board, flags, &converted), c.message) << c.what;
    EXPECT_EQ(converted, 2) << c.what;
    ASSERT_EQ(board.texts.size(), 2u) << c.what;
    EXPECT_EQ(board.texts[0].layer, c.top_layer) << c.what;
    EXPECT_EQ(board.texts[1].layer, c.bottom_layer) << c.what;
    for (const Part& p : board.parts) {
      EXPECT_EQ(p.ref_text_visible, c.visible) << c.what;
      EXPECT_DOUBLE_EQ(p.ref_text_height, c.height) << c.what;
      EXPECT_DOUBLE_EQ(p.ref_text_stroke_width, c.stroke) << c.what;
    }
    // The new texts take the sizes the references had before they were hidden.
    EXPECT_DOUBLE_EQ(board.texts[1].height, 0.022) << c.what;
    EXPECT_DOUBLE_EQ(board.texts[1].stroke_width, 0.003) << c.what;
  }
}

TEST(ConvertRefdes, AppendsAfterTheExistingTextsInPartOrder) {
  Board board = board_with_layers(2);
  board.texts.emplace_back().text = "LOGO";
  board.parts.push_back(make_part("R1", 0, 0, 0));
  board.parts.push_back(make_part("R2", 1, 0, 0));
  board.parts.push_back(make_part("R3", 0, 0, 0));
  int converted = 0;
  convert(board, RunFlags{}, &converted);
  EXPECT_EQ(converted, 3);
  ASSERT_EQ(board.texts.size(), 4u);
  EXPECT_EQ(board.texts[0].text, "LOGO");
  EXPECT_EQ(board.texts[1].text, "R1");
  EXPECT_EQ(board.texts[2].text, "R2");
  EXPECT_EQ(board.texts[3].text, "R3");
}

TEST(ConvertRefdes, PassesOverPartsThatWereNeverPlaced) {
  Board board = board_with_layers(2);
  board.parts.push_back(make_part("R1", 0, 0, 0));
  board.parts.push_back(make_part("R42", 0, 0, 0));
  board.parts.back().empty_ref_text = true;
  board.parts.push_back(make_part("R2", 1, 0, 0));
  int converted = -1;
  convert(board, RunFlags{}, &converted);
  EXPECT_EQ(converted, 2);
  ASSERT_EQ(board.texts.size(), 2u);
  EXPECT_EQ(board.texts[0].text, "R1");
  EXPECT_EQ(board.texts[1].text, "R2");
  // Its record is left as it was.
  EXPECT_DOUBLE_EQ(board.parts[1].ref_text_height, 0.022);
  EXPECT_EQ(board.parts[1].ref_text_visible, 1u);

  // Only unplaced parts: nothing converted, and the layer look-ups still hold.
  Board unplaced = board_with_layers(2);
  unplaced.parts.push_back(make_part("R42", 0, 0, 0));
  unplaced.parts.back().empty_ref_text = true;
  convert(unplaced, RunFlags{}, &converted);
  EXPECT_EQ(converted, 0);
  EXPECT_TRUE(unplaced.texts.empty());
  unplaced.options.layers[7].name = "";
  EXPECT_THROW(convert(unplaced, RunFlags{}), FatalError);
}

TEST(ConvertRefdes, BoardWithoutPartsConvertsNothing) {
  Board board = board_with_layers(2);
  board.texts.emplace_back().text = "LOGO";
  int converted = -1;
  convert(board, RunFlags{}, &converted);
  EXPECT_EQ(converted, 0);
  EXPECT_EQ(board.texts.size(), 1u);
}

TEST(ConvertRefdes, MissingLayersAreFatalWithOrWithoutParts) {
  const struct {
    const char* what;
    uint32_t copper_layers;
    int layer_renamed;  // which layer loses its name
    const char* new_name;
    int debug;
    bool with_part;
    int code;
    const char* message;
  } cases[] = {
      {"no top silk", 2, 7, "Top Silk", 0, true, 30130, "Unable to find \"top silk\" layer"},
      {"no top silk, no parts", 2, 7, "", 0, false, 30130, "Unable to find \"top silk\" layer"},
      {"no bottom silk", 2, 8, "bottom silk ", 0, true, 30134,
       "Unable to find \"bottom silk\" layer"},
      {"no bottom silk, no parts", 2, 8, "", 0, false, 30134,
       "Unable to find \"bottom silk\" layer"},
      {"debug without inner 1", 4, 14, "inner one", 1, true, 30130,
       "Unable to find \"top silk\" layer"},
      {"debug without inner 2", 4, 15, "inner two", 1, false, 30134,
       "Unable to find \"bottom silk\" layer"},
      // "inner 2" at index 15 lies past the last copper layer of a 3-layer board.
      {"debug on 3 layers needs only the silkscreens", 3, 14, "x", 1, true, 0, ""},
  };
  for (const auto& c : cases) {
    Board board = board_with_layers(c.copper_layers);
    board.options.layers[c.layer_renamed].name = c.new_name;
    if (c.with_part) board.parts.push_back(make_part("R1", 0, 0, 0));
    RunFlags flags;
    flags.debug_mode = c.debug;
    int code = 0;
    std::string message;
    try {
      convert(board, flags);
    } catch (const FatalError& e) {
      code = e.code;
      message = e.what();
    }
    EXPECT_EQ(code, c.code) << c.what;
    EXPECT_EQ(message, c.message) << c.what;
  }
}

}  // namespace
