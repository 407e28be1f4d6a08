// Reference designators of a 2.x board into free silkscreen texts.
//
// A part's reference text is a text at (rx, ry), angle a, in the footprint's frame. The part
// maps a footprint point p to pos + R(A)(s px, py): A is the part's angle, s -1 on the bottom
// (the footprint seen from below), and R turns clockwise as the file's angles do. The new text
// is that text on the board: on the top unmirrored at angle a + A, on the bottom mirrored at
// angle A - a. A mirrored 2.x text runs toward -x from its anchor, so it covers the mirrored
// footprint's text as it is, without moving its anchor.
#include "transform/refdes_2x.h"

#include <cmath>
#include <string>

#include "format_2x/numbers_2x.h"
#include "io/text_format.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// pos + R(angle)(u, v), rounded to whole nanometres, halves away from zero. The right angles are
// exact; the others take the library's cosine and sine.
void place(int64_t pos_x, int64_t pos_y, Nm2x u, Nm2x v, uint32_t angle, Nm2x& x, Nm2x& y) {
  switch (angle) {
    case 0:
      x = pos_x + u, y = pos_y + v;
      return;
    case 90:
      x = pos_x + v, y = pos_y - u;
      return;
    case 180:
      x = pos_x - u, y = pos_y - v;
      return;
    case 270:
      x = pos_x - v, y = pos_y + u;
      return;
    default:
      break;
  }
  const double r = static_cast<double>(angle) * kPi / 180.0;
  const double c = std::cos(r);
  const double s = std::sin(r);
  const double du = static_cast<double>(u);
  const double dv = static_cast<double>(v);
  x = static_cast<Nm2x>(std::round(static_cast<double>(pos_x) + (du * c + dv * s)));
  y = static_cast<Nm2x>(std::round(static_cast<double>(pos_y) + (-du * s + dv * c)));
}

}  // namespace

int convert_refdes_2x(Board& board, const RunFlags& flags) {
  Source2x& source = *board.source_2x;
  bool debug_placement = false;
  if (flags.debug_mode) {
    if (source.n_copper_layers <= 3) {
      print_message("\n    Board only has %s layers, debug disabled",
                    std::to_string(source.n_copper_layers).c_str());
    } else {
      print_message("\n    Debug mode...");
      debug_placement = true;
    }
  }
  const int top_layer = debug_placement ? source.layers.inner_1 : source.layers.top_silk;
  const int bottom_layer = debug_placement ? source.layers.inner_2 : source.layers.bottom_silk;

  board.texts.reserve(board.texts.size() + board.parts.size());
  int converted = 0;
  for (size_t i = 0; i < board.parts.size(); ++i) {
    Part& part = board.parts[i];
    Part2x& kept = source.parts[i];
    if (kept.ref_text_values == 0) continue;  // not placed
    const RefTextLine2x ref = read_ref_text_line(source.bytes, kept.ref_text_line);
    ++converted;
    const bool bottom = part.side == 1;
    const uint32_t part_angle = flip_angle(part.angle);
    const uint32_t text_angle = angle_mod_360(ref.values[kRefAngle].value);
    const Nm2x rx = ref.values[kRefX].value;
    const Nm2x ry = ref.values[kRefY].value;

    NewText2x& t = kept.new_text;
    t.made = true;
    t.layer = bottom ? bottom_layer : top_layer;
    t.mirror = bottom ? 1 : 0;
    t.angle = bottom ? (360 - text_angle + part_angle) % 360 : (text_angle + part_angle) % 360;
    place(kept.pos_x, kept.pos_y, bottom ? -rx : rx, ry, part_angle, t.x_nm, t.y_nm);
    t.x = static_cast<double>(t.x_nm) * kNmToInch;
    t.y = static_cast<double>(t.y_nm) * kNmToInch;

    BoardText& bt = board.texts.emplace_back();
    bt.text = part.name;
    bt.layer = static_cast<uint32_t>(t.layer);
    bt.angle = flip_angle(t.angle);
    bt.mirror = t.mirror;
    bt.x = t.x;
    bt.y = t.y;
    bt.height = part.ref_text_height;
    bt.stroke_width = part.ref_text_stroke_width;
    bt.part_index = static_cast<int>(i);

    // Hiding the part's own text. A record without its visibility value can only be hidden by
    // its size.
    if (debug_placement) {
      t.zeroed = 1u << kRefStroke;
      part.ref_text_stroke_width = 0;
    } else if (flags.use_visibility && ref.n_values == 6) {
      t.zeroed = 1u << kRefVisible;
      part.ref_text_visible = 0;
    } else {
      t.zeroed = 1u << kRefHeight | 1u << kRefStroke;
      part.ref_text_height = part.ref_text_stroke_width = 0;
    }
  }
  return converted;
}
