// A 2.x board's footprints and board edge, read for the silkscreen check and arranging.
//
//   [footprints]
//   name: "<name>"                   a footprint runs from here to the next name: or header
//     units: NM | MIL | MM           lengths before it are nanometres
//     outline_polyline: width x y ...            only the footprint's first polyline is kept
//       next_corner: x y style
//       close_polyline: style
//     pin: "<name>" hole x y angle "<description>"   also pin: "<name>" hole x y angle
//                                                     and pin: <name> hole x y angle
//       top_pad: / inner_pad: / bottom_pad: shape width len1 len2 [radius [flags]]
//   [board]
//   outline: n_corners ...           only the first outline is kept
//     corner: number x y style [contour]
//
// Nothing here is an error: the check works with what reads. A record whose values do not read
// is passed over, as is every record not listed above; a pin passed over takes its pad lines
// with it. Blocks never end at an empty line or an indentation, only at the next record that
// opens a block or at a section header (a line whose first character after blanks is '[').
#include "format_2x/footprints_2x.h"

#include <cstring>
#include <string>
#include <unordered_map>

#include "format_1x/footprints.h"
#include "format_2x/lines_2x.h"
#include "format_2x/numbers_2x.h"
#include "io/line_reader.h"
#include "io/scan.h"

namespace {

constexpr double kMmToInch = 1 / 25.4;

// The file's angle, any whole number of degrees, first brought into [0, 360) (so -90 is 270, not
// what an unsigned reading of it would give) and then held in the board's sense.
uint32_t held_angle(int file_angle) {
  return flip_angle(angle_mod_360(file_angle));
}

// The fields of a record, just after its keyword.
const char* fields(const char* line, const char* keyword) {
  return text_at(line, std::strlen(keyword));
}

// The end of a word: white space as the scanner knows it, or the end of the line.
bool ends_word(char c) {
  return c == '\0' || c == ' ' || (c >= '\t' && c <= '\r');
}

// The first word of `text` (blanks skipped) compared with `word`.
bool first_word_is(const char* text, const char* word) {
  text = skip_blanks(text);
  const size_t n = std::strlen(word);
  return std::strncmp(text, word, n) == 0 && ends_word(text[n]);
}

class FootprintReader {
 public:
  explicit FootprintReader(std::vector<Footprint>& footprints) : footprints_(footprints) {}

  // One line of the section, blanks skipped.
  void read(const char* line) {
    if (starts_with(line, "name:")) {
      begin_footprint(line);
      return;
    }
    if (fp_ == nullptr) return;
    if (starts_with(line, "units:")) {
      read_units(fields(line, "units:"));
    } else if (starts_with(line, "outline_polyline:")) {
      read_polyline(fields(line, "outline_polyline:"));
    } else if (starts_with(line, "next_corner:")) {
      read_corner(fields(line, "next_corner:"));
    } else if (starts_with(line, "close_polyline:")) {
      read_close(fields(line, "close_polyline:"));
    } else if (starts_with(line, "pin:")) {
      polyline_open_ = false;
      read_pin(fields(line, "pin:"));
    } else if (starts_with(line, "top_pad:")) {
      if (pin_ != nullptr) read_pad(fields(line, "top_pad:"), pin_->top_pad);
    } else if (starts_with(line, "inner_pad:")) {
      if (pin_ != nullptr) read_pad(fields(line, "inner_pad:"), pin_->inner_pad);
    } else if (starts_with(line, "bottom_pad:")) {
      if (pin_ != nullptr) read_pad(fields(line, "bottom_pad:"), pin_->bottom_pad);
    } else if (starts_with(line, "n_pins:")) {
      polyline_open_ = false;
    }
  }

  // A section header: the footprint being read is complete.
  void end() { begin_block(nullptr); }

 private:
  void begin_block(Footprint* fp) {
    fp_ = fp;
    pin_ = nullptr;
    polyline_open_ = false;
    // Lengths met before a units record are nanometres, as in every footprint.
    unit_ = kNmToInch;
  }

  // A footprint whose name does not read still opens a block, so that its records are not
  // taken for the previous footprint's; the block is passed over.
  void begin_footprint(const char* line) {
    if (extract_quoted(name_, line) < 0) {
      begin_block(nullptr);
      return;
    }
    Footprint& fp = footprints_.emplace_back();
    fp.name = name_;
    begin_block(&fp);
  }

  void read_units(const char* at) {
    if (first_word_is(at, "NM")) {
      fp_->units = 1;
      unit_ = kNmToInch;
    } else if (first_word_is(at, "MIL")) {
      fp_->units = 2;
      unit_ = kMilToInch;
    } else if (first_word_is(at, "MM")) {
      fp_->units = 3;
      unit_ = kMmToInch;
    }
  }

  // Only the first polyline that reads is kept; the corners of any later one go nowhere.
  void read_polyline(const char* at) {
    polyline_open_ = false;
    if (!fp_->polylines.empty()) return;
    FootprintPolyline poly;
    if (scan_values<"%lf %lf %lf">(at, &poly.width, &poly.x, &poly.y) != 3) return;
    poly.width *= unit_;
    poly.x *= unit_;
    poly.y *= unit_;
    fp_->polylines.push_back(std::move(poly));
    polyline_open_ = true;
  }

  void read_corner(const char* at) {
    if (!polyline_open_) return;
    PolylineCorner c;
    if (scan_values<"%lf %lf %u">(at, &c.x, &c.y, &c.style) != 3) return;
    c.x *= unit_;
    c.y *= unit_;
    fp_->polylines.back().corners.push_back(c);
  }

  void read_close(const char* at) {
    if (!polyline_open_) return;
    FootprintPolyline& poly = fp_->polylines.back();
    if (scan_values<"%u">(at, &poly.close_style) != 1) return;
    poly.closed = 1;
    polyline_open_ = false;
  }

  // The name is quoted, or else the first word; the four numbers follow it (after the first
  // string's closing quote, so a description string after them does not matter).
  void read_pin(const char* at) {
    pin_ = nullptr;
    at = skip_blanks(at);
    const char* numbers = nullptr;
    if (*at == '"') {
      const char* close = std::strchr(at + 1, '"');
      if (close == nullptr) return;
      name_.assign(at + 1, static_cast<size_t>(close - at - 1));
      numbers = close + 1;
    } else {
      const char* end = at;
      while (!ends_word(*end)) ++end;
      if (end == at) return;
      name_.assign(at, static_cast<size_t>(end - at));
      numbers = end;
    }
    FootprintPin pin;
    int angle = 0;
    if (scan_values<"%lf %lf %lf %d">(numbers, &pin.hole, &pin.x, &pin.y, &angle) != 4) return;
    pin.name = name_;
    pin.hole *= unit_;
    pin.x *= unit_;
    pin.y *= unit_;
    pin.angle = held_angle(angle);
    pin_ = &fp_->pins.emplace_back(std::move(pin));
  }

  // Shape, width and the two lengths are needed; radius and flags may follow. A pad given
  // twice takes the later record.
  void read_pad(const char* at, PadSpec& pad) {
    PadSpec p;
    const int n = scan_values<"%u %lf %lf %lf %lf %u">(at, &p.shape, &p.width, &p.len1, &p.len2,
                                                       &p.radius, &p.flags);
    if (n < 4) return;
    p.width *= unit_;
    p.len1 *= unit_;
    p.len2 *= unit_;
    p.radius = n >= 5 ? p.radius * unit_ : 0.0;
    p.flags = n == 6 ? p.flags & 3u : 0u;
    pad = p;
  }

  std::vector<Footprint>& footprints_;
  Footprint* fp_ = nullptr;      // the footprint being read; null outside one or in one passed over
  FootprintPin* pin_ = nullptr;  // the pin its pad lines belong to
  bool polyline_open_ = false;   // next_corner: lines belong to fp_'s polyline
  double unit_ = kNmToInch;
  std::string name_;  // kept between records so that names reuse one buffer
};

// The board edge: the corners of contour 0 of the first outline record that reads. The other
// contours of that record are its cut-outs; the check knows one closed edge and no holes, so
// they are passed over. The declared count bounds how many corner lines belong to the
// outline; a list that stops short keeps the corners it has.
class OutlineReader {
 public:
  explicit OutlineReader(std::vector<BoardOutline>& outlines) : outlines_(outlines) {}

  void read(const char* line) {
    if (state_ == State::kDone) return;
    if (starts_with(line, "outline:")) {
      if (state_ == State::kReading) {
        end();
        return;
      }
      uint32_t declared = 0;
      if (scan_values<"%u">(fields(line, "outline:"), &declared) != 1) return;
      state_ = State::kReading;
      remaining_ = declared;
      if (remaining_ == 0) end();
      return;
    }
    if (state_ != State::kReading || !starts_with(line, "corner:")) return;
    --remaining_;
    OutlineCorner c;
    int contour = 0;
    const int n =
        scan_values<"%*d %lf %lf %u %d">(fields(line, "corner:"), &c.x, &c.y, &c.style, &contour);
    if (n >= 3 && (n == 3 || contour == 0)) {
      c.x *= kNmToInch;
      c.y *= kNmToInch;
      outline_.corners.push_back(c);
    }
    if (remaining_ == 0) end();
  }

  // A section header, or the outline's last corner.
  void end() {
    if (state_ == State::kReading) outlines_.push_back(std::move(outline_));
    if (state_ != State::kLooking) state_ = State::kDone;
  }

 private:
  enum class State { kLooking, kReading, kDone };
  std::vector<BoardOutline>& outlines_;
  State state_ = State::kLooking;
  uint32_t remaining_ = 0;
  BoardOutline outline_;
};

void bind_parts(Board& board) {
  std::unordered_map<std::string_view, int> index;
  index.reserve(board.footprints.size());
  for (size_t i = 0; i < board.footprints.size(); ++i) {
    index.try_emplace(board.footprints[i].name, static_cast<int>(i));  // the first one wins
  }
  for (Part& part : board.parts) {
    const auto it = part.shape.empty() ? index.end() : index.find(part.shape);
    part.footprint_index = it == index.end() ? -1 : it->second;
  }
}

}  // namespace

void read_footprints_and_outline_2x(Board& board, std::string_view text) {
  board.footprints.clear();
  board.board_outlines.clear();
  FootprintReader footprints(board.footprints);
  OutlineReader outline(board.board_outlines);

  // Each section is read where it is first found, as the 1.x reader finds it.
  enum class Section { kOther, kFootprints, kBoard };
  Section section = Section::kOther;
  bool footprints_seen = false, board_seen = false;
  std::string buffer;  // the current line, NUL-terminated for the scanner; its room is reused
  Lines lines(text);
  std::string_view line;
  while (lines.next(line)) {
    const size_t first = line.find_first_not_of(" \t");
    if (first != std::string_view::npos && line[first] == '[') {
      if (section == Section::kFootprints) footprints.end();
      if (section == Section::kBoard) outline.end();
      const std::string_view header = line.substr(first);
      section = Section::kOther;
      if (!footprints_seen && header.starts_with("[footprints]")) {
        section = Section::kFootprints;
        footprints_seen = true;
      } else if (!board_seen && header.starts_with("[board]")) {
        section = Section::kBoard;
        board_seen = true;
      }
      continue;
    }
    if (section == Section::kOther || first == std::string_view::npos) continue;
    // A NUL byte ends the line's text, as for every record the program reads.
    buffer.assign(line.substr(first));
    const char* record = buffer.c_str();
    if (section == Section::kFootprints) {
      footprints.read(record);
    } else {
      outline.read(record);
    }
  }
  footprints.end();
  outline.end();
  bind_parts(board);
}
