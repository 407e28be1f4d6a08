#include "check/spatial_index.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr size_t kMaxSide = 4096;
// An item spanning more cells than this is kept aside rather than filed in each.
constexpr size_t kMaxCellsPerItem = 64;

}  // namespace

SpatialIndex::SpatialIndex(const Aabb& extent, size_t expected_items) : extent_(extent) {
  const double w = extent.max_x - extent.min_x;
  const double h = extent.max_y - extent.min_y;
  const double n = static_cast<double>(std::max<size_t>(expected_items, 1));
  if (std::isfinite(w) && std::isfinite(h) && w > 0 && h > 0) {
    cell_ = std::max(std::sqrt(w * h / n), std::max(w, h) / static_cast<double>(kMaxSide));
    columns_ = std::clamp<size_t>(static_cast<size_t>(std::ceil(w / cell_)), 1, kMaxSide);
    rows_ = std::clamp<size_t>(static_cast<size_t>(std::ceil(h / cell_)), 1, kMaxSide);
  } else {
    extent_ = Aabb{0, 0, 1, 1};
  }
  cells_.resize(columns_ * rows_);
}

int SpatialIndex::cell_x(double x) const {
  const double c = std::floor((x - extent_.min_x) / cell_);
  return static_cast<int>(std::clamp(c, 0.0, static_cast<double>(columns_ - 1)));
}

int SpatialIndex::cell_y(double y) const {
  const double c = std::floor((y - extent_.min_y) / cell_);
  return static_cast<int>(std::clamp(c, 0.0, static_cast<double>(rows_ - 1)));
}

bool SpatialIndex::cell_range(const Aabb& box, int& x0, int& y0, int& x1, int& y1) const {
  if (std::isnan(box.min_x) || std::isnan(box.min_y) || std::isnan(box.max_x) ||
      std::isnan(box.max_y))
    return false;
  x0 = cell_x(box.min_x);
  x1 = cell_x(box.max_x);
  y0 = cell_y(box.min_y);
  y1 = cell_y(box.max_y);
  return x0 <= x1 && y0 <= y1;
}

void SpatialIndex::insert(int id, const Aabb& box) {
  if (static_cast<size_t>(id) >= seen_.size()) seen_.resize(static_cast<size_t>(id) + 1, 0);
  int x0, y0, x1, y1;
  if (!cell_range(box, x0, y0, x1, y1)) return;
  const size_t span = static_cast<size_t>(x1 - x0 + 1) * static_cast<size_t>(y1 - y0 + 1);
  if (span > kMaxCellsPerItem) {
    oversize_.push_back(id);
    return;
  }
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      cells_[static_cast<size_t>(y) * columns_ + static_cast<size_t>(x)].push_back(id);
}
