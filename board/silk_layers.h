// Which layers are the silkscreens. A 1.x board names its layers, and its silkscreens are the
// layers of those names; a 2.x board's layer names follow the language of the editor that wrote
// it and changed between versions, so its silkscreens are known by number only.
#pragma once

#include "board/model.h"

// The layer number of the top or bottom silkscreen, or -1 when the board has none.
int top_silk_layer(const Board& board);
int bottom_silk_layer(const Board& board);
