// Placeholder until mirroring is built.
#include "transform/transform.h"

void mirror_board(Board&) {}
