// Fuzz target: the input is a board file run through the program's own road of one file
// (process_board), with its files in memory. The first byte picks the switches (the silkscreen
// check and arranging included), the rest is the board text.
// A numbered error is a normal end for a broken board; anything else (a crash, a sanitizer
// report, an exception of another kind, a hang) is a finding, and so is a result that breaks
// what the report promises:
// - after -A, every designator reported as moved has no finding in a fresh check of the
//   arranged board and lies within the clearance and three of its heights of its own part's
//   body;
// - after -C, the summary's counts agree with the report's lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "board/run_flags.h"
#include "check/arrange.h"
#include "check/silk_check.h"
#include "driver/process_board.h"
#include "io/fatal_error.h"

namespace {

// Every moved designator is clear of everything and beside its own part.
void check_moved(const BoardRun& run) {
  const Board& board = run.board;
  const SilkScene scene = build_scene(board);
  SilkIndex index(scene);
  const std::vector<Aabb> bodies = part_bodies(board, scene);
  const double c = arrange_clearance(board);
  // What the rounding to whole nanometres may add to a place, with room to spare.
  const double kNm = 1.0 / 25400000.0;
  for (int moved : run.silk.moved) {
    const int part = board.texts[static_cast<size_t>(moved)].part_index;
    if (part < 0 || static_cast<size_t>(part) >= board.parts.size()) __builtin_trap();
    int found = -1;
    for (size_t i = 0; i < scene.texts.size(); ++i)
      if (scene.texts[i].board_text == moved) found = static_cast<int>(i);
    if (found < 0) __builtin_trap();
    std::vector<Finding> findings;
    text_findings(scene, index, found, findings, false);
    if (!findings.empty()) __builtin_trap();
    const SilkText& t = scene.texts[static_cast<size_t>(found)];
    const Aabb b = bodies[static_cast<size_t>(part)], box = bounds(t.box);
    const double gap_x = std::max(box.min_x - b.max_x, b.min_x - box.max_x);
    const double gap_y = std::max(box.min_y - b.max_y, b.min_y - box.max_y);
    if (!(std::max(gap_x, gap_y) <= c + 3 * t.height + 2 * kNm)) __builtin_trap();
  }
}

std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool contains(std::string_view s, std::string_view part) {
  return s.find(part) != std::string_view::npos;
}

// The number after `label` in `line`, or -1.
long number_before(std::string_view line, std::string_view label) {
  const size_t at = line.find(label);
  if (at == std::string_view::npos) return -1;
  size_t start = at;
  while (start > 0 && line[start - 1] >= '0' && line[start - 1] <= '9') --start;
  if (start == at) return -1;
  long n = 0;
  for (size_t i = start; i < at; ++i) n = n * 10 + (line[i] - '0');
  return n;
}

// The check's summary line counts exactly the finding lines above it: in all, and by kind
// where the names cannot be mistaken for the report's own words.
void check_summary(const BoardRun& run) {
  const std::vector<std::string_view> lines = lines_of(run.silk.report);
  const std::string_view kSummary = "    Silkscreen check: ";
  size_t summary = lines.size();
  for (size_t i = lines.size(); i-- > 0;) {
    if (lines[i].substr(0, kSummary.size()) == kSummary) {
      summary = i;
      break;
    }
  }
  if (summary == lines.size()) __builtin_trap();
  // The finding lines run back to the empty line after the arranging's summary, the check's
  // warnings or the start.
  size_t first = summary;
  while (first > 0 && !lines[first - 1].empty() &&
         lines[first - 1].substr(0, kSummary.size()) != kSummary)
    --first;
  const size_t n = summary - first;
  const std::string_view s = lines[summary];
  if (s == "    Silkscreen check: no collisions") {
    if (n != 0) __builtin_trap();
    return;
  }
  const long pads = number_before(s, " on pads, ");
  const long texts = number_before(s, " text overlap");
  const long edge = number_before(s, " off the board");
  if (pads < 0 || texts < 0 || edge < 0) __builtin_trap();
  if (static_cast<size_t>(pads + texts + edge) != n || n == 0) __builtin_trap();
  // A text may hold the report's own words; then only the total is compared.
  for (const BoardText& t : run.board.texts)
    if (contains(t.text, "overlaps") || contains(t.text, "off the board")) return;
  long counted[3] = {0, 0, 0};
  for (size_t i = first; i < summary; ++i) {
    const std::string_view l = lines[i];
    if (contains(l, " is off the board on ")) {
      ++counted[2];
    } else if (contains(l, " overlaps pad ")) {
      ++counted[0];
    } else if (contains(l, " overlaps ")) {
      ++counted[1];
    } else {
      __builtin_trap();
    }
  }
  if (counted[0] != pads || counted[1] != texts || counted[2] != edge) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t switches = data[0];
  RunFlags flags;
  flags.debug_mode = (switches & 1) != 0;
  flags.mirror_mode = (switches & 2) != 0;
  flags.skip_refdes = (switches & 4) != 0;
  flags.use_visibility = (switches & 8) != 0;
  flags.check_mode = (switches & 16) != 0;
  flags.arrange_mode = (switches & 32) != 0;

  MemoryFiles files;
  files["fuzz.krv"].assign(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    const BoardRun run = process_board("fuzz.krv", flags, &files);
    // The written board, and with -C the picture, are there.
    if (run.written != (files.count(run.output_name) == 1)) __builtin_trap();
    if (flags.check_mode && files.size() != 2u + (run.written ? 1u : 0u)) __builtin_trap();
    if (flags.arrange_mode) check_moved(run);
    if (flags.check_mode) check_summary(run);
  } catch (const FatalError&) {
    // A numbered error: the expected end of a bad board.
  }
  return 0;
}
