// Must not compile: "%s: bad rotation angle (%u)" given an int where it takes an unsigned.
#include "io/fatal_error.h"

void raise_error(const char* part, int angle) {
  fatal_board_error(Err::part_rotation_bad, part, angle);
}
