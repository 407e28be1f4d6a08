// Placeholder until conversion is built: converts nothing.
#include "transform/transform.h"

int convert_refdes(Board& board, const RunFlags&) {
  return static_cast<int>(board.parts.size());
}
