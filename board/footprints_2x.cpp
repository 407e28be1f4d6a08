// The footprints and the board outline of a 2.x board. For now only the binding of the parts by
// their shape names: footprints are known by name only.
#include "board/footprints_2x.h"

#include <string>
#include <unordered_map>

namespace {

// The name of every "name:" line of [footprints], in order.
std::vector<std::string> footprint_names(std::string_view text) {
  std::vector<std::string> names;
  bool inside = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t next = text.find('\n', pos);
    next = next == std::string_view::npos ? text.size() : next + 1;
    std::string_view line = text.substr(pos, next - pos);
    pos = next;
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) continue;
    line.remove_prefix(first);
    if (line.front() == '[') {
      if (!names.empty() || inside) break;
      inside = line.substr(0, 12) == "[footprints]";
      continue;
    }
    if (!inside || line.substr(0, 5) != "name:") continue;
    const size_t open = line.find('"');
    const size_t close = open == std::string_view::npos ? open : line.find('"', open + 1);
    if (close == std::string_view::npos) continue;
    names.emplace_back(line.substr(open + 1, close - open - 1));
  }
  return names;
}

}  // namespace

void read_footprints_and_outline_2x(Board& board, std::string_view text) {
  board.footprints.clear();
  std::unordered_map<std::string, int> index;
  for (std::string& name : footprint_names(text)) {
    index.try_emplace(name, static_cast<int>(board.footprints.size()));
    board.footprints.emplace_back().name = std::move(name);
  }
  for (Part& part : board.parts) {
    const auto it = index.find(part.shape);
    part.footprint_index = it == index.end() ? -1 : it->second;
  }
}
