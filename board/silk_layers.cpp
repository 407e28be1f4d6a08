#include "board/silk_layers.h"

#include "board/dialect.h"
#include "format_2x/load_2x.h"

namespace {

bool is_2x(const Board& board) {
  return board.options.version >= kFirst2xVersion;
}

}  // namespace

int top_silk_layer(const Board& board) {
  return is_2x(board) ? layers_2x(board.options.version).top_silk : find_layer(board, "top silk");
}

int bottom_silk_layer(const Board& board) {
  return is_2x(board) ? layers_2x(board.options.version).bottom_silk
                      : find_layer(board, "bottom silk");
}
