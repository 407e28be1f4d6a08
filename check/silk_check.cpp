#include "check/silk_check.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "board/dialect.h"
#include "board/silk_layers.h"
#include "io/output.h"
#include "transform/text_width.h"

namespace {

// Beyond 25 metres from the origin a value is not a board's: it is passed over, which keeps the
// grid and the picture bounded whatever a file holds.
constexpr double kMaxCoord = 1000.0;

bool in_range(Vec p) {
  return std::fabs(p.x) <= kMaxCoord && std::fabs(p.y) <= kMaxCoord;
}

bool in_range(const Shape& s) {
  if (!(s.radius >= 0 && s.radius <= kMaxCoord)) return false;
  for (int i = 0; i < s.n; ++i)
    if (!in_range(s.pts[i])) return false;
  return true;
}

Side side_of(const Part& part) {
  return part.side == 1 ? Side::kBottom : Side::kTop;
}

Side other(Side s) {
  return s == Side::kTop ? Side::kBottom : Side::kTop;
}

Aabb extent_of(const SilkScene& scene, Side side) {
  Aabb e{INFINITY, INFINITY, -INFINITY, -INFINITY};
  const auto grow = [&e](const Shape& s) {
    const Aabb b = bounds(s);
    e.min_x = std::min(e.min_x, b.min_x);
    e.min_y = std::min(e.min_y, b.min_y);
    e.max_x = std::max(e.max_x, b.max_x);
    e.max_y = std::max(e.max_y, b.max_y);
  };
  for (const SilkText& t : scene.texts)
    if (t.side == side) grow(t.box);
  for (const SilkPad& p : scene.pads)
    if (p.side == side) grow(p.shape);
  return e;
}

SpatialIndex pad_index(const SilkScene& scene, Side side) {
  SpatialIndex index(extent_of(scene, side), scene.pads.size() / 2 + scene.texts.size() / 2);
  for (size_t i = 0; i < scene.pads.size(); ++i)
    if (scene.pads[i].side == side) index.insert(static_cast<int>(i), bounds(scene.pads[i].shape));
  return index;
}

SpatialIndex text_index(const SilkScene& scene, Side side) {
  SpatialIndex index(extent_of(scene, side), scene.texts.size() / 2 + 1);
  for (size_t i = 0; i < scene.texts.size(); ++i)
    if (scene.texts[i].side == side) index.insert(static_cast<int>(i), bounds(scene.texts[i].box));
  return index;
}

}  // namespace

Shape silk_text_box(const SilkText& t) {
  return text_box(t.anchor, t.angle, text_width_estimate(*t.text) * t.height, t.height,
                  t.runs_back);
}

Shape part_reference_box(const Part& part) {
  const double width = text_width_estimate(part.name) * part.ref_text_height;
  Shape box = text_box({part.ref_text_x, part.ref_text_y}, part.ref_text_angle, width,
                       part.ref_text_height);
  const Placement where = placement_of(part);
  for (int i = 0; i < box.n; ++i) box.pts[i] = where.point(box.pts[i]);
  // Mirroring turned the corners round; back into the text's own order, where the first two
  // run along its angle.
  if (where.mirrored) {
    std::swap(box.pts[0], box.pts[1]);
    std::swap(box.pts[2], box.pts[3]);
  }
  return box;
}

SilkScene build_scene(const Board& board) {
  SilkScene scene;
  const int top_silk = top_silk_layer(board);
  const int bottom_silk = bottom_silk_layer(board);
  // A mirrored text of a 2.x board runs back from its anchor; on a 1.x board it has the box of
  // an unmirrored text.
  const bool mirrored_runs_back = board.options.version >= kFirst2xVersion;

  for (size_t i = 0; i < board.texts.size(); ++i) {
    const BoardText& bt = board.texts[i];
    SilkText t;
    if (top_silk >= 0 && bt.layer == static_cast<uint32_t>(top_silk)) {
      t.side = Side::kTop;
    } else if (bottom_silk >= 0 && bt.layer == static_cast<uint32_t>(bottom_silk)) {
      t.side = Side::kBottom;
    } else {
      continue;
    }
    // The text as the written file holds it: position and height in whole nanometres.
    t.height = bt.height > 0 ? written_length(bt.height) : bt.height;
    if (t.height == 0) continue;
    t.text = &bt.text;
    t.board_text = static_cast<int>(i);
    if (bt.part_index >= 0 && static_cast<size_t>(bt.part_index) < board.parts.size()) {
      t.designator = true;
      t.part = bt.part_index;
    }
    t.angle = bt.angle;
    t.mirrored = bt.mirror != 0;
    t.runs_back = mirrored_runs_back && t.mirrored;
    t.anchor = {written_length(bt.x), written_length(bt.y)};
    t.box = silk_text_box(t);
    if (!(t.height > 0) || !in_range(t.box)) {
      ++scene.passed_over;
      continue;
    }
    scene.texts.push_back(t);
  }

  // Files older than the visibility value show every reference text of some height.
  const bool visibility_counts = board.options.version > kGlueWidthVersion;
  for (size_t i = 0; i < board.parts.size(); ++i) {
    const Part& part = board.parts[i];
    if (part.ref_text_height == 0 || (visibility_counts && part.ref_text_visible == 0)) continue;
    SilkText t;
    t.text = &part.name;
    t.part = static_cast<int>(i);
    t.designator = true;
    t.side = side_of(part);
    // Held angles add as the conversion adds them; the box is the one the part draws.
    t.mirrored = t.side == Side::kBottom;
    t.angle = t.mirrored ? (360u - part.ref_text_angle + part.angle) % 360u
                         : (part.ref_text_angle + part.angle) % 360u;
    t.height = part.ref_text_height;
    t.box = part_reference_box(part);
    t.anchor = t.box.pts[0];
    if (!(part.ref_text_height > 0) || !in_range(t.box)) {
      ++scene.passed_over;
      continue;
    }
    scene.texts.push_back(t);
  }

  for (size_t i = 0; i < board.parts.size(); ++i) {
    const Part& part = board.parts[i];
    if (part.footprint_index < 0 ||
        static_cast<size_t>(part.footprint_index) >= board.footprints.size())
      continue;
    const Footprint& fp = board.footprints[static_cast<size_t>(part.footprint_index)];
    const Placement where = placement_of(part);
    const Side own = side_of(part);
    const auto add = [&](size_t pin, Side side, const Shape& shape) {
      if (!in_range(shape)) {
        ++scene.passed_over;
        return;
      }
      scene.pads.push_back({static_cast<int>(i), static_cast<int>(pin), side, shape});
    };
    for (size_t k = 0; k < fp.pins.size(); ++k) {
      const FootprintPin& pin = fp.pins[k];
      Shape shape;
      const auto copper = [&](const PadSpec& pad, Side side) {
        if (pad.shape == 0) return false;
        if (!pad_shape(pad, pin, where, shape)) {
          ++scene.unknown_pads;
          return true;
        }
        add(k, side, shape);
        return true;
      };
      if (pin.hole == 0) {
        // A surface pin has copper on one side: its top pad on the part's side, or else its
        // bottom pad on the other.
        if (!copper(pin.top_pad, own)) copper(pin.bottom_pad, other(own));
        continue;
      }
      // Through-hole: a side without a pad still has the hole.
      if (!copper(pin.top_pad, own) && pin.hole > 0) add(k, own, hole_shape(pin, where));
      if (!copper(pin.bottom_pad, other(own)) && pin.hole > 0)
        add(k, other(own), hole_shape(pin, where));
    }
    for (const FootprintPolyline& poly : fp.polylines) {
      SilkLine line;
      line.part = static_cast<int>(i);
      line.side = own;
      line.width = poly.width;
      line.closed = poly.closed != 0;
      line.pts.push_back(where.point({poly.x, poly.y}));
      for (const PolylineCorner& c : poly.corners) line.pts.push_back(where.point({c.x, c.y}));
      bool ok = std::isfinite(line.width) && std::fabs(line.width) <= kMaxCoord;
      for (Vec p : line.pts) ok = ok && in_range(p);
      if (!ok) {
        ++scene.passed_over;
        continue;
      }
      scene.lines.push_back(std::move(line));
    }
  }

  if (!board.board_outlines.empty()) {
    scene.outline = outline_polygon(board.board_outlines[0]);
    for (Vec p : scene.outline) {
      if (!in_range(p)) {
        scene.outline.clear();
        ++scene.passed_over;
        break;
      }
    }
  }
  return scene;
}

SilkIndex::SilkIndex(const SilkScene& scene)
    : pads_{pad_index(scene, Side::kTop), pad_index(scene, Side::kBottom)},
      texts_{text_index(scene, Side::kTop), text_index(scene, Side::kBottom)} {}

void text_findings(const SilkScene& scene, SilkIndex& index, int text, std::vector<Finding>& out,
                   bool later_texts_only) {
  const SilkText& t = scene.texts[static_cast<size_t>(text)];
  const Aabb box = bounds(t.box);
  const size_t first = out.size();
  index.pads(t.side).query(box, [&](int j) {
    Vec where;
    if (shapes_overlap(t.box, scene.pads[static_cast<size_t>(j)].shape, &where))
      out.push_back({text, FindingKind::kPad, j, where});
  });
  index.texts(t.side).query(box, [&](int j) {
    if (j == text || (later_texts_only && j < text)) return;
    const SilkText& u = scene.texts[static_cast<size_t>(j)];
    Vec where;
    if (u.side == t.side && shapes_overlap(t.box, u.box, &where))
      out.push_back({text, FindingKind::kText, j, where});
  });
  Vec where;
  if (!scene.outline.empty() && !box_inside_polygon(scene.outline, t.box, &where))
    out.push_back({text, FindingKind::kEdge, -1, where});
  std::sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
            [](const Finding& a, const Finding& b) {
              if (a.kind != b.kind) return a.kind < b.kind;
              return a.other < b.other;
            });
}

std::vector<Finding> find_collisions(const SilkScene& scene) {
  SilkIndex index(scene);
  std::vector<Finding> findings;
  for (size_t i = 0; i < scene.texts.size(); ++i)
    text_findings(scene, index, static_cast<int>(i), findings, true);
  return findings;
}
