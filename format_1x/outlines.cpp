// The [board] and [solder_mask_cutouts] sections: closed shapes given corner by corner.
//
//   outline: n_corners index                 sm_cutout: n_corners aux layer
//     corner: number x y style                 corner: number x y style
//
// x and y are nanometres. A corner list that stops before its declared count (a line that is
// not a corner ends it) keeps the declared count: the missing corners stay at (0, 0), style 0,
// and are written back like the others.
#include "format_1x/outlines.h"

#include <cstdint>
#include <cstring>

#include "format_1x/sections.h"
#include "io/fatal_error.h"
#include "io/scan.h"

namespace {

struct CornerErrors {
  ErrorCall<> eof;
  ErrorCall<> bad;
};

constexpr CornerErrors kOutlineCornerErrors = {Err::outline_corners_eof, Err::outline_corner_bad};
constexpr CornerErrors kCutoutCornerErrors = {Err::cutout_corners_eof, Err::cutout_corner_bad};

// Reads up to `declared` corner records into `corners`. The vector grows only as records are
// read; the zero corners of a short list are added at the end, and only when the declared count
// could be held by the file at all: a count larger than the whole file has lines is a list that
// runs past the end of the file, not a short one. `zero_budget` bounds the zero corners of all
// the section's short lists together by the file's lines as well, so that many short lists
// cannot turn a small file into a huge board. Returns how many corner records were read.
constexpr size_t kBudgetNotSet = SIZE_MAX;  // counting the file's lines waits for a short list

size_t read_corner_list(LineReader& in, uint32_t declared, std::vector<OutlineCorner>& corners,
                        const CornerErrors& errors, size_t& zero_budget) {
  corners.clear();
  while (corners.size() < declared) {
    const char* line = in.read_line();
    if (line == nullptr) fatal_error(errors.eof);
    line = skip_blanks(line);
    if (!starts_with(line, "corner:")) {
      // The line that ends a short list is consumed with it.
      const size_t n_read = corners.size();
      if (zero_budget == kBudgetNotSet) zero_budget = in.total_lines();
      if (declared > in.total_lines() || declared - n_read > zero_budget) {
        fatal_error(errors.eof);
      }
      zero_budget -= declared - n_read;
      corners.resize(declared);
      return n_read;
    }
    OutlineCorner& c = corners.emplace_back();
    if (scan_values<"%*u %lf %lf %u">(text_at(line, 7), &c.x, &c.y, &c.style) < 3) {
      fatal_error(errors.bad);
    }
    c.x *= kNmToInch;
    c.y *= kNmToInch;
  }
  return corners.size();
}

// The extent of the corners actually read, not of the zero corners a short list is filled with.
void widen_extents(Board& board, const std::vector<OutlineCorner>& corners, size_t n_read) {
  for (size_t k = 0; k < n_read; ++k) {
    const OutlineCorner& c = corners[k];
    if (c.x > board.max_x) board.max_x = c.x;
    if (c.x < board.min_x) board.min_x = c.x;
    if (c.y > board.max_y) board.max_y = c.y;
    if (c.y < board.min_y) board.min_y = c.y;
  }
}

void write_corners(Output& out, const std::vector<OutlineCorner>& corners) {
  uint32_t j = 0;
  for (const OutlineCorner& c : corners) {
    out.print<"  corner: %u %s ">(++j, Length{c.x * kInchToNm});
    out.print<"%s %u\n">(Length{c.y * kInchToNm}, c.style);
  }
}

}  // namespace

void read_board_outlines(LoadContext& ctx) {
  LineReader& in = ctx.in;
  Board& board = ctx.board;
  find_section_header(in, "[board]", Err::outlines_header_missing);

  // Pass 1 counts every line holding "outline:" anywhere, while pass 2 takes only lines that
  // begin with it: a line holding it only in its middle is counted but never found.
  const LineReader::Mark start = in.tell();
  uint32_t count = 0;
  for (;;) {
    const char* line = in.read_line();
    if (line == nullptr) fatal_error(Err::outlines_pass1_eof);
    line = skip_blanks(line);
    if (is_other_header(line, "[board]")) break;
    if (std::strstr(line, "outline:") != nullptr) ++count;
  }
  in.seek(start);

  board.board_outlines.clear();
  size_t zero_budget = kBudgetNotSet;
  for (uint32_t i = 0; i < count; ++i) {
    const char* line = next_record(in, "outline:", Err::outlines_pass2_eof);
    // The index the writer puts after the count is not read back: it is the table position.
    uint32_t declared = 0;
    if (scan_values<"%u">(text_at(line, 8), &declared) != 1) {
      fatal_error(Err::outline_bad);
    }
    BoardOutline& outline = board.board_outlines.emplace_back();
    const size_t n_read =
        read_corner_list(in, declared, outline.corners, kOutlineCornerErrors, zero_budget);
    if (static_cast<int64_t>(i) + 1 == board.board_outline_index) {
      widen_extents(board, outline.corners, n_read);
    }
  }

  // The signal outline must lie within the board extents. With both indexes on outline 1 this
  // only fails when outline 1 was short and (0, 0) lies outside the corners it did have.
  const int signal = board.signal_outline_index;
  if (signal >= 1 && static_cast<size_t>(signal) <= board.board_outlines.size()) {
    for (const OutlineCorner& c : board.board_outlines[static_cast<size_t>(signal) - 1].corners) {
      if (c.x < board.min_x || c.x > board.max_x || c.y < board.min_y || c.y > board.max_y) {
        fatal_board_error(Err::signal_outline_outside);
      }
    }
  }
}

void write_board_outlines(Output& out, const Board& board) {
  out.put("\n[board]\n");
  uint32_t i = 0;
  for (const BoardOutline& outline : board.board_outlines) {
    out.print<"\noutline: %u %u\n">(static_cast<uint32_t>(outline.corners.size()), i++);
    write_corners(out, outline.corners);
  }
}

void read_sm_cutouts(LoadContext& ctx) {
  LineReader& in = ctx.in;
  Board& board = ctx.board;
  find_section_header(in, "[solder_mask_cutouts]", Err::cutouts_header_missing);
  const uint32_t count =
      count_section_records(in, "[solder_mask_cutouts]", "sm_cutout:", Err::cutouts_pass1_eof);
  board.sm_cutouts.clear();
  size_t zero_budget = kBudgetNotSet;
  for (uint32_t i = 0; i < count; ++i) {
    const char* line = next_record(in, "sm_cutout:", Err::cutouts_pass2_eof);
    SmCutout& cutout = board.sm_cutouts.emplace_back();
    uint32_t declared = 0;
    if (scan_values<"%u %u %u">(text_at(line, 10), &declared, &cutout.aux, &cutout.layer) != 3) {
      fatal_error(Err::cutout_bad);
    }
    read_corner_list(in, declared, cutout.corners, kCutoutCornerErrors, zero_budget);
  }
}

void write_sm_cutouts(Output& out, const Board& board) {
  out.put("\n[solder_mask_cutouts]\n");
  for (const SmCutout& cutout : board.sm_cutouts) {
    out.print<"\nsm_cutout: %u %u %u\n">(static_cast<uint32_t>(cutout.corners.size()), cutout.aux,
                                         cutout.layer);
    write_corners(out, cutout.corners);
  }
}
