#include "board/silk_layers.h"

#include "board/dialect.h"

namespace {

bool is_2x(const Board& board) {
  return board.options.version >= kFirst2xVersion;
}

// 2.x boards before the renumbering keep the 1.x numbers; from it on, 10 and 11.
int silk_2x(const Board& board, bool bottom) {
  const int top = board.options.version >= kLayersRenumbered2xVersion ? 10 : 7;
  return bottom ? top + 1 : top;
}

}  // namespace

int top_silk_layer(const Board& board) {
  return is_2x(board) ? silk_2x(board, false) : find_layer(board, "top silk");
}

int bottom_silk_layer(const Board& board) {
  return is_2x(board) ? silk_2x(board, true) : find_layer(board, "bottom silk");
}
