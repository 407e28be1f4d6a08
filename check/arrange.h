// Arranging: every designator the conversion made that collides is moved to the first free
// place next to its own part, or left where it is and reported.
#pragma once

#include <string>
#include <vector>

#include "board/model.h"
#include "check/silk_check.h"

struct ArrangeResult {
  std::vector<MovedText> moved;
  std::vector<int> left;  // scene indexes of designators with no free place
  std::string report;     // the report lines and the summary line, as printed
};

// The clearance kept around a moved designator: the board's mask clearance, at least 0.1 mm.
double arrange_clearance(const Board& board);

// Each part's body on the board: the box around its pads and its footprint's outline
// polylines (its position when it has neither).
std::vector<Aabb> part_bodies(const Board& board, const SilkScene& scene);

// Moves the colliding designators of `scene` (and their board texts); only their positions
// change.
ArrangeResult arrange_designators(Board& board, SilkScene& scene);
