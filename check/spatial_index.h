// A uniform grid over the board: each item is filed in the cells its bounding box touches, so a
// question about one place looks at the few items near it instead of every item on the board.
#pragma once

#include <cstdint>
#include <vector>

#include "check/geometry.h"

class SpatialIndex {
 public:
  // `extent` bounds the items expected; items outside it are filed in its border cells. The
  // grid gets about one cell per item, and never more cells than a fixed multiple of the items.
  SpatialIndex(const Aabb& extent, size_t expected_items);

  // Files item `id` (0 or more) under `box`. Filing an id again adds the new place; the old
  // cells still name it, so callers test every candidate against its current shape.
  void insert(int id, const Aabb& box);

  // Every id filed in a cell that `box` touches, once each, in no particular order.
  template <typename Visit>
  void query(const Aabb& box, Visit visit) {
    ++stamp_;
    const auto once = [&](int id) {
      if (seen_[static_cast<size_t>(id)] == stamp_) return;
      seen_[static_cast<size_t>(id)] = stamp_;
      visit(id);
    };
    for (int id : oversize_) once(id);
    int x0, y0, x1, y1;
    if (!cell_range(box, x0, y0, x1, y1)) return;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        for (int id : cells_[static_cast<size_t>(y) * columns_ + static_cast<size_t>(x)]) once(id);
  }

 private:
  // False for a box with values that are not numbers.
  bool cell_range(const Aabb& box, int& x0, int& y0, int& x1, int& y1) const;
  int cell_x(double x) const;
  int cell_y(double y) const;

  Aabb extent_;
  double cell_ = 1;
  size_t columns_ = 1, rows_ = 1;
  std::vector<std::vector<int>> cells_;
  // Items too big for the grid, looked at by every question.
  std::vector<int> oversize_;
  std::vector<uint32_t> seen_;
  uint32_t stamp_ = 0;
};
