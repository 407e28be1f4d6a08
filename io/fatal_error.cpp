#include "io/fatal_error.h"

void fatal_error(int code, const std::string& message) {
  throw FatalError(code, message, false);
}

void fatal_board_error(int code, const std::string& message) {
  throw FatalError(code, message, true);
}
