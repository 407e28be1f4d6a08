// Must not compile: an error raised by a bare number instead of its catalogue entry.
#include "io/fatal_error.h"

void raise_error() {
  fatal_error(11366);
}
