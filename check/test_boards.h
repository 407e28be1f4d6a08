// Small boards for the check's and the arranging's tests, built in memory.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "board/load.h"
#include "board/model.h"
#include "transform/mirror.h"
#include "transform/refdes.h"
#include "transform/text_width.h"

inline constexpr double kMm = 1 / 25.4;
inline constexpr uint32_t kTopSilk = 7;
inline constexpr uint32_t kBottomSilk = 8;

// The usual layer table (silkscreens at 7 and 8, copper from 12 on), a square outline of
// `size_mm`, and two footprints: "SMD" with one 1 mm square-ish surface pad at its origin, and
// "TH" with one through-hole pin (0.8 mm hole, 1.6 mm round top pad, no bottom pad).
inline Board check_board(double size_mm = 50) {
  Board board;
  const char* names[] = {"selection",   "background",    "visible grid",     "highlight",
                         "DRC error",   "board outline", "rat line",         "top silk",
                         "bottom silk", "top sm cutout", "bottom sm cutout", "thru pad",
                         "top copper",  "bottom copper"};
  for (size_t i = 0; i < std::size(names); ++i) board.options.layers[i].name = names[i];
  board.options.n_copper_layers = 2;
  board.options.version = 1.352;
  BoardOutline outline;
  const double s = size_mm * kMm;
  outline.corners = {{0, 0, 0}, {s, 0, 0}, {s, s, 0}, {0, s, 0}};
  board.board_outlines.push_back(outline);

  Footprint smd;
  smd.name = "SMD";
  FootprintPin pad;
  pad.name = "1";
  pad.top_pad = {3, 1 * kMm, 0.5 * kMm, 0.5 * kMm, 0, 0};
  smd.pins.push_back(pad);
  board.footprints.push_back(smd);

  Footprint th;
  th.name = "TH";
  FootprintPin hole;
  hole.name = "1";
  hole.hole = 0.8 * kMm;
  hole.top_pad = {1, 1.6 * kMm, 0, 0, 0, 0};
  th.pins.push_back(hole);
  board.footprints.push_back(th);
  return board;
}

inline BoardText text_at(const char* s, double x_mm, double y_mm, uint32_t layer = kTopSilk,
                         double height_mm = 1) {
  BoardText t;
  t.text = s;
  t.layer = layer;
  t.x = x_mm * kMm;
  t.y = y_mm * kMm;
  t.height = height_mm * kMm;
  t.stroke_width = 0.1 * kMm;
  t.mirror = layer == kBottomSilk;
  return t;
}

// A placed part whose own reference text is hidden (height 0), as after a conversion.
inline Part part_at(const char* name, int footprint, double x_mm, double y_mm, uint32_t side = 0,
                    uint32_t angle = 0) {
  Part p;
  p.name = name;
  p.footprint_index = footprint;
  p.pos_x = x_mm * kMm;
  p.pos_y = y_mm * kMm;
  p.side = side;
  p.angle = angle;
  p.ref_text_visible = 1;
  return p;
}

// The example board, loaded (its loading message swallowed).
inline Board example_board() {
  Board board;
  RunFlags flags;
  std::string name = SILKORA_SOURCE_DIR "/examples/motor_driver.krv";
  testing::internal::CaptureStderr();
  load_board(board, name, flags);
  testing::internal::GetCapturedStderr();
  return board;
}

// The example board's footprints and layers with `n` parts of them placed on a grid of 5.08 mm,
// both sides, all four rotations, reference texts at random offsets near the part (seeded, so
// the same seed gives the same board), and an outline around them all.
inline Board generated_board(int n, unsigned seed) {
  Board board = example_board();
  std::mt19937 random(seed);
  board.parts.clear();
  board.texts.clear();
  const int columns = 40;
  const double pitch = 5.08 * kMm;
  for (int i = 0; i < n; ++i) {
    const int fp = static_cast<int>(random() % board.footprints.size());
    Part p;
    p.name.assign(1, "RUJT"[fp]);
    p.name += std::to_string(i + 1);
    p.footprint_index = fp;
    p.side = board.footprints[static_cast<size_t>(fp)].name == "TP" ? 1 : random() % 2;
    p.angle = static_cast<uint32_t>(i % 4) * 90;
    p.pos_x = (i % columns + 1) * pitch;
    p.pos_y = (i / columns + 1) * pitch;
    p.ref_text_angle = static_cast<uint32_t>(random() % 4) * 90;
    p.ref_text_height = 0.762 * kMm;
    p.ref_text_stroke_width = 0.127 * kMm;
    p.ref_text_x = (static_cast<double>(random() % 2000) / 1000 - 1) * kMm;
    p.ref_text_y = (static_cast<double>(random() % 2000) / 1000 - 1) * kMm;
    p.ref_text_visible = 1;
    board.parts.push_back(p);
  }
  const double w = (columns + 1) * pitch, h = (n / columns + 2) * pitch;
  board.board_outlines.assign(1, BoardOutline{{{0, 0, 0}, {w, 0, 0}, {w, h, 0}, {0, h, 0}}});
  return board;
}
