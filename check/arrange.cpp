#include "check/arrange.h"

#include <algorithm>
#include <cmath>

#include "io/output.h"

namespace {

constexpr double kMinClearance = 0.1 / 25.4;  // 0.1 mm
// Candidates reach this many text heights beyond the first ring, in steps of half a height.
constexpr int kSteps = 6;

void grow(Aabb& e, const Aabb& b) {
  e.min_x = std::min(e.min_x, b.min_x);
  e.min_y = std::min(e.min_y, b.min_y);
  e.max_x = std::max(e.max_x, b.max_x);
  e.max_y = std::max(e.max_y, b.max_y);
}

// The box grown by `c` along its own sides, square at the corners, for the test against the
// board edge.
Shape grown_box(const Shape& box, uint32_t angle, double c) {
  const Vec a = unit_of_angle(angle);
  const Vec u{-a.y, a.x};
  const double sx[4] = {-1, 1, 1, -1}, sy[4] = {-1, -1, 1, 1};
  Shape g = box;
  for (int i = 0; i < 4; ++i) {
    g.pts[i].x += (a.x * sx[i] + u.x * sy[i]) * c;
    g.pts[i].y += (a.y * sx[i] + u.y * sy[i]) * c;
  }
  return g;
}

// What a designator collided with, for its report line: the first three things, then a count.
std::string collisions_text(const Board& board, const SilkScene& scene,
                            const std::vector<Finding>& findings) {
  std::string out;
  const size_t shown = std::min<size_t>(findings.size(), 3);
  for (size_t k = 0; k < shown; ++k) {
    const Finding& f = findings[k];
    if (k) out += ", ";
    switch (f.kind) {
      case FindingKind::kPad:
        out += "on pad " + pad_name(board, scene.pads[static_cast<size_t>(f.other)]);
        break;
      case FindingKind::kText:
        out += "on " + text_name(board, scene, f.other);
        break;
      case FindingKind::kEdge:
        out += "off the board";
        break;
    }
  }
  if (findings.size() > shown) out += " and " + std::to_string(findings.size() - shown) + " more";
  return out;
}

}  // namespace

double arrange_clearance(const Board& board) {
  const double c = board.options.mask_clearance;
  return c > kMinClearance ? c : kMinClearance;
}

std::vector<Aabb> part_bodies(const Board& board, const SilkScene& scene) {
  std::vector<Aabb> bodies(board.parts.size(), Aabb{INFINITY, INFINITY, -INFINITY, -INFINITY});
  for (const SilkPad& pad : scene.pads)
    grow(bodies[static_cast<size_t>(pad.part)], bounds(pad.shape));
  for (const SilkLine& l : scene.lines)
    for (Vec q : l.pts) grow(bodies[static_cast<size_t>(l.part)], {q.x, q.y, q.x, q.y});
  // A part with neither pads nor lines is its position.
  for (size_t p = 0; p < bodies.size(); ++p) {
    if (!(bodies[p].min_x <= bodies[p].max_x)) {
      const Part& pt = board.parts[p];
      bodies[p] = {pt.pos_x, pt.pos_y, pt.pos_x, pt.pos_y};
    }
  }
  return bodies;
}

ArrangeResult arrange_designators(Board& board, SilkScene& scene) {
  ArrangeResult result;
  const double c = arrange_clearance(board);
  SilkIndex index(scene);

  // The designators the conversion made that collide with something.
  struct Job {
    int text;
    double area;
  };
  std::vector<Job> jobs;
  const std::vector<Aabb> bodies = part_bodies(board, scene);
  for (size_t i = 0; i < scene.texts.size(); ++i) {
    const SilkText& t = scene.texts[i];
    if (!t.designator || t.board_text < 0 || t.part < 0) continue;
    std::vector<Finding> found;
    text_findings(scene, index, static_cast<int>(i), found, false);
    if (found.empty()) continue;
    const Aabb& b = bodies[static_cast<size_t>(t.part)];
    jobs.push_back({static_cast<int>(i), (b.max_x - b.min_x) * (b.max_y - b.min_y)});
  }
  // Big parts first, so they get the best places; ties in part order.
  std::stable_sort(jobs.begin(), jobs.end(), [&](const Job& a, const Job& b) {
    if (a.area != b.area) return a.area > b.area;
    return scene.texts[static_cast<size_t>(a.text)].part <
           scene.texts[static_cast<size_t>(b.text)].part;
  });

  const auto is_free = [&](int text, const Shape& box) {
    const SilkText& t = scene.texts[static_cast<size_t>(text)];
    if (scene.outline.empty()) return false;
    Aabb near = bounds(box);
    near = {near.min_x - c, near.min_y - c, near.max_x + c, near.max_y + c};
    bool free = true;
    index.pads(t.side).query(near, [&](int j) {
      if (free && shapes_within(box, scene.pads[static_cast<size_t>(j)].shape, c)) free = false;
    });
    if (!free) return false;
    index.texts(t.side).query(near, [&](int j) {
      if (!free || j == text) return;
      const SilkText& u = scene.texts[static_cast<size_t>(j)];
      if (u.side == t.side && shapes_within(box, u.box, c)) free = false;
    });
    return free && box_inside_polygon(scene.outline, grown_box(box, t.angle, c), nullptr);
  };

  struct Line {
    int text;
    std::string line;
  };
  std::vector<Line> lines;
  for (const Job& job : jobs) {
    SilkText& t = scene.texts[static_cast<size_t>(job.text)];
    // What it collides with now: a neighbour that moved before it may have cleared its place.
    std::vector<Finding> before;
    text_findings(scene, index, job.text, before, false);
    if (before.empty()) continue;
    const Aabb& body = bodies[static_cast<size_t>(t.part)];
    const Aabb tb = bounds(t.box);
    const double tw = tb.max_x - tb.min_x, th = tb.max_y - tb.min_y;
    const double cx = (body.min_x + body.max_x) / 2 - tw / 2;
    const double cy = (body.min_y + body.max_y) / 2 - th / 2;
    bool placed = false;
    SilkText to = t;
    for (int k = 0; k <= kSteps && !placed; ++k) {
      const double g = c + k * t.height / 2;
      const double left = body.min_x - g - tw, right = body.max_x + g;
      const double below = body.min_y - g - th, above = body.max_y + g;
      // Above, below, right, left, then the corners.
      const Vec spots[8] = {{cx, above},   {cx, below},    {right, cy},   {left, cy},
                            {left, above}, {right, above}, {left, below}, {right, below}};
      for (const Vec& s : spots) {
        const Vec d{s.x - tb.min_x, s.y - tb.min_y};
        if (!std::isfinite(d.x) || !std::isfinite(d.y)) continue;
        // The place as the written file will hold it, whole nanometres, so the clearance is
        // kept after the rounding too.
        to.anchor = {written_length(t.anchor.x + d.x), written_length(t.anchor.y + d.y)};
        to.box = silk_text_box(to);
        if (is_free(job.text, to.box)) {
          placed = true;
          break;
        }
      }
    }
    if (!placed) {
      result.left.push_back(job.text);
      continue;
    }
    MovedText m;
    m.text = job.text;
    m.from = t.anchor;
    m.old_box = t.box;
    m.to = to.anchor;
    m.was = collisions_text(board, scene, before);
    t.box = to.box;
    t.anchor = to.anchor;
    BoardText& bt = board.texts[static_cast<size_t>(t.board_text)];
    bt.x = t.anchor.x;
    bt.y = t.anchor.y;
    index.texts(t.side).insert(job.text, bounds(t.box));
    result.moved.push_back(m);
  }
  for (const MovedText& m : result.moved) {
    lines.push_back({m.text, "    " + text_name(board, scene, m.text) + " moved from " +
                                 format_mm(m.from) + " to " + format_mm(m.to) + " (was " + m.was +
                                 ")\n"});
  }
  // A designator left in place is reported with what it still collides with once every other
  // designator has moved; one whose collisions went away with its neighbours is clear.
  std::vector<int> still_left;
  for (int text : result.left) {
    std::vector<Finding> now;
    text_findings(scene, index, text, now, false);
    if (now.empty()) continue;
    still_left.push_back(text);
    lines.push_back({text, "    " + text_name(board, scene, text) + " left in place at " +
                               format_mm(scene.texts[static_cast<size_t>(text)].anchor) +
                               ", no free place (" + collisions_text(board, scene, now) + ")\n"});
  }
  result.left = std::move(still_left);
  std::sort(lines.begin(), lines.end(),
            [](const Line& a, const Line& b) { return a.text < b.text; });
  for (const Line& l : lines) result.report += l.line;
  result.report += "    Arrange: " + std::to_string(result.moved.size()) + " moved, " +
                   std::to_string(result.left.size()) + " left in place\n\n";
  return result;
}
