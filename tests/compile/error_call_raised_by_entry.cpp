// Compiles: errors raised by their catalogue entries with the values their messages take.
#include "io/fatal_error.h"

void raise_errors(const char* part, const char* shape, unsigned angle, double version) {
  if (angle == 1) fatal_error(Err::layer_missing);
  if (angle == 2) fatal_error(Err::part_footprint_unknown, part, shape);
  if (angle == 3) fatal_board_error(Err::part_rotation_bad, part, angle);
  fatal_error(Err::mirror_version_unsupported, version);
}
