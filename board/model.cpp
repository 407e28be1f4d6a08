#include "board/model.h"

#include <algorithm>

int find_layer(const Board& board, const std::string& name) {
  // The valid entries end at the last copper layer; the table itself ends at 64.
  const uint64_t end = std::min<uint64_t>(
      kMaxLayers, std::max<int64_t>(0, static_cast<int64_t>(board.options.n_copper_layers) +
                                           board.top_copper_index));
  for (uint64_t i = 0; i < end; ++i) {
    if (board.options.layers[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

void release_board(Board& board) {
  board = Board{};
}
