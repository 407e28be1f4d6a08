// Turning the whole board over about the Y axis: the layout seen from the bottom becomes the
// layout seen from the top. X changes sign everywhere, top and bottom layers trade places, parts
// change side, and arcs, texts and area windings are adjusted so that the result is still a
// valid board. Doing it twice gives the original board back (apart from the copper layer count,
// which stays at least 2).
#include "transform/mirror.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "transform/text_width.h"

namespace {

// Mirrored index of each of the first 32 layers. Indexes from 32 on have no entry and are kept
// as they are: no real board uses them, and a hostile file must not reach outside the table.
constexpr int kMapSize = 32;
using LayerMap = std::array<uint32_t, kMapSize>;

uint32_t mapped(const LayerMap& map, uint32_t layer) {
  return layer < kMapSize ? map[layer] : layer;
}

void swap_entries(LayerMap& map, int64_t a, int64_t b) {
  if (a < 0 || b < 0 || a >= kMapSize || b >= kMapSize) return;
  std::swap(map[a], map[b]);
}

// Entries a and b name each other. Unlike a swap this does not depend on what the entries held,
// which matters when "top copper" stands among the fixed pairs below.
void pair_entries(LayerMap& map, int64_t a, int64_t b) {
  if (a < 0 || b < 0 || a >= kMapSize || b >= kMapSize) return;
  map[a] = static_cast<uint32_t>(b);
  map[b] = static_cast<uint32_t>(a);
}

// A board with fewer than two copper layers gets a bottom copper layer, so that the layers the
// top side moves to exist, and the written board names every layer its records use. The new
// entry takes the top copper entry's values, so it is shown like the copper layer it mirrors; a
// board without any copper layer gets a top copper entry first. When the table has no room after
// the top copper entry, the count stays as it is.
void add_missing_copper_layers(Board& board) {
  Options& o = board.options;
  if (o.n_copper_layers >= 2) return;
  const int t = board.top_copper_index;
  if (t < 0 || t + 1 >= kMaxLayers) return;
  if (o.n_copper_layers == 0) {
    o.layers[t] = Layer{};
    o.layers[t].name = "top copper";
  }
  Layer& bottom = o.layers[t + 1];
  bottom.name = "bottom copper";
  std::copy(std::begin(o.layers[t].info), std::end(o.layers[t].info), std::begin(bottom.info));
  o.n_copper_layers = 2;
}

LayerMap build_layer_map(Board& board) {
  LayerMap map;
  for (int i = 0; i < kMapSize; ++i) map[i] = static_cast<uint32_t>(i);
  const int64_t t = board.top_copper_index;
  pair_entries(map, t, t + 1);
  // The two fixed pairs are positions of the table, not looked up by name.
  pair_entries(map, 7, 8);
  pair_entries(map, 9, 10);
  add_missing_copper_layers(board);
  // Inner layer 1 trades with the last inner layer, inner 2 with the last but one, and so on.
  // Only pairs that both lie inside the map are swapped; the range of j is worked out directly,
  // so a huge layer count costs nothing.
  const int64_t n = board.options.n_copper_layers;
  const int64_t k = (n - 2) / 2;
  const int64_t first = std::max<int64_t>(0, t + n - kMapSize);     // t + n - 1 - j < kMapSize
  const int64_t last = std::min<int64_t>(k - 1, kMapSize - 3 - t);  // t + 2 + j < kMapSize
  for (int64_t j = first; j <= last; ++j) swap_entries(map, t + 2 + j, t + n - 1 - j);
  return map;
}

// Straight sides stay straight; the two arc directions 1 and 2 trade places. Every other
// non-zero style has its two low bits flipped by the same rule.
void mirror_corners(std::vector<OutlineCorner>& corners) {
  for (OutlineCorner& c : corners) {
    c.x = -c.x;
    if (c.style != 0) c.style ^= 3u;
  }
}

// Reverses the winding of every closed contour of an area: the corners of each contour in
// reverse order with the end-of-contour flags left where they were, and the styles moved one
// corner on, since a corner's style describes the side that leaves it. Corners after the last
// flagged corner close no contour and stay as they are.
void reverse_contours(std::vector<AreaCorner>& corners) {
  size_t s = 0;
  while (s < corners.size()) {
    size_t end = s;
    while (end < corners.size() && corners[end].end_contour == 0) ++end;
    if (end == corners.size()) break;
    const size_t m = end - s + 1;
    for (size_t i = 0; i < m / 2; ++i) {
      AreaCorner& a = corners[s + i];
      AreaCorner& b = corners[end - i];
      std::swap(a.x, b.x);
      std::swap(a.y, b.y);
      std::swap(a.style, b.style);
    }
    const uint32_t first_style = corners[s].style;
    for (size_t i = 0; i + 1 < m; ++i) corners[s + i].style = corners[s + i + 1].style;
    corners[end].style = first_style;
    s = end + 1;
  }
}

void mirror_text(BoardText& t, const LayerMap& map) {
  const double w = text_width_estimate(t.text) * t.height;
  t.x = -t.x;
  // The text is drawn from its anchor in its reading direction; mirrored, it would run the other
  // way, so the anchor moves by its width to keep the text over the same place.
  switch (t.angle) {
    case 0:
      t.x -= w;
      break;
    case 90:
      t.y += w;
      t.angle = 270;
      break;
    case 180:
      t.x += w;
      break;
    case 270:
      t.y -= w;
      t.angle = 90;
      break;
    default:
      break;
  }
  t.mirror ^= 1u;
  t.layer = mapped(map, t.layer);
}

}  // namespace

void mirror_board(Board& board) {
  const LayerMap map = build_layer_map(board);

  for (BoardOutline& outline : board.board_outlines) mirror_corners(outline.corners);

  for (SmCutout& cutout : board.sm_cutouts) {
    mirror_corners(cutout.corners);
    cutout.layer = mapped(map, cutout.layer);
  }

  for (Part& part : board.parts) {
    part.pos_x = -part.pos_x;
    part.angle = flip_angle(part.angle);
    part.side ^= 1u;
  }

  // The vertices of every connection of every net. The last vertex of a connection has no
  // segment, but its segment layer is mapped too, like every other.
  for (Vertex& v : board.vertices) {
    v.x = -v.x;
    v.layer = mapped(map, v.layer);
    v.seg.layer = mapped(map, v.seg.layer);
  }
  for (Net& net : board.nets) {
    for (CopperArea& area : net.areas) {
      reverse_contours(area.corners);
      for (AreaCorner& c : area.corners) c.x = -c.x;
      area.layer = mapped(map, area.layer);
    }
  }

  for (BoardText& text : board.texts) mirror_text(text, map);
}
