// Reference designators into free silkscreen texts.
//
// Every part's designator becomes a board text placed where the part's own reference text
// stood, on the silkscreen of the part's side, and the part's own reference text is hidden.
// All angles here are held angles (the opposite sense to the file); the arithmetic is unsigned.
#include "transform/refdes.h"

#include <cstdio>

#include "io/fatal_error.h"
#include "transform/refdes_2x.h"
#include "transform/text_width.h"

namespace {

struct Offset {
  double dx, dy;
};

// The reference text's offset from the part, turned with the part. On the bottom the board is
// seen from below, so x runs the other way.
Offset rotated_offset(const Part& part, bool bottom) {
  const double rx = part.ref_text_x;
  const double ry = part.ref_text_y;
  switch (part.angle) {
    case 90:
      return bottom ? Offset{-ry, -rx} : Offset{-ry, rx};
    case 180:
      return bottom ? Offset{rx, -ry} : Offset{-rx, -ry};
    case 270:
      return bottom ? Offset{ry, rx} : Offset{ry, -rx};
    default:
      // Other rotations are left unturned.
      return bottom ? Offset{-rx, ry} : Offset{rx, ry};
  }
}

}  // namespace

int convert_refdes(Board& board, const RunFlags& flags) {
  // 2.x boards place their texts by their own rules and keep their bytes.
  if (board.source_2x) return convert_refdes_2x(board, flags);
  bool debug_placement = false;
  if (flags.debug_mode) {
    if (board.options.n_copper_layers <= 3) {
      print_message("\n    Board only has %d layers, debug disabled",
                    static_cast<int>(board.options.n_copper_layers));
    } else {
      print_message("\n    Debug mode...");
      debug_placement = true;
    }
  }

  board.texts.reserve(board.texts.size() + board.parts.size());

  // The silkscreen layers must exist even when there is nothing to place on them.
  const int top_layer = find_layer(board, debug_placement ? "inner 1" : "top silk");
  if (top_layer < 0) fatal_error(Err::top_silk_missing);
  const int bottom_layer = find_layer(board, debug_placement ? "inner 2" : "bottom silk");
  if (bottom_layer < 0) fatal_error(Err::bottom_silk_missing);

  const bool by_visibility = flags.use_visibility && board.options.refdes_visibility_supported;

  int converted = 0;
  for (size_t part_index = 0; part_index < board.parts.size(); ++part_index) {
    Part& part = board.parts[part_index];
    // A part that was never placed has no reference text to convert; its record stays as the
    // editor wrote it.
    if (part.empty_ref_text) continue;
    ++converted;
    BoardText t;
    const bool bottom = part.side == 1;
    double shift = 0;
    if (bottom) {
      t.layer = static_cast<uint32_t>(bottom_layer);
      t.mirror = 1;
      t.angle = (360u - part.ref_text_angle + part.angle) % 360u;
      // A mirrored text grows the other way from its origin: move the origin back by its width.
      shift = text_width_estimate(part.name) * part.ref_text_height;
    } else {
      t.layer = static_cast<uint32_t>(top_layer);
      t.mirror = 0;
      t.angle = (part.ref_text_angle + part.angle) % 360u;
    }

    Offset off = rotated_offset(part, bottom);
    if (bottom) {
      switch (t.angle) {
        case 90:
          off.dy -= shift;
          break;
        case 180:
          off.dx += shift;
          break;
        case 270:
          off.dy += shift;
          break;
        default:
          off.dx -= shift;
          break;
      }
    }

    t.x = part.pos_x + off.dx;
    t.y = part.pos_y + off.dy;
    t.text = part.name;
    t.height = part.ref_text_height;
    t.stroke_width = part.ref_text_stroke_width;
    t.extra_value = 0;
    t.part_index = static_cast<int>(part_index);
    board.texts.push_back(std::move(t));

    if (by_visibility) {
      if (debug_placement) {
        part.ref_text_stroke_width = 0;
      } else {
        part.ref_text_visible = 0;
      }
    } else {
      part.ref_text_stroke_width = 0;
      if (!debug_placement) part.ref_text_height = 0;
    }
  }
  return converted;
}
