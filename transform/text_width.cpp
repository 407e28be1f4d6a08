// Placeholder until conversion is built.
#include "transform/transform.h"

double text_width_estimate(const std::string&) {
  return 0.0;
}
