// The 2.x reader: one pass over the lines of the file, reading only the records the conversion,
// the check and arranging need, and remembering where the writer will change the file.
//
//   [options]  version:, file_version:, units:, n_copper_layers:, mask_clearance:
//   [parts]    part: NAME            (the rest of the line, blanks trimmed)
//                ref_text: height stroke angle x y [visible]
//                shape: "FOOTPRINT"
//                pos: x y side angle ...
//   [texts]    text: "STRING" x y layer angle mirror height stroke ...
//
// A section header is any line whose first character after blanks is '['; [parts] and [texts]
// are the first lines that begin with those headers. A part runs from its part: line to the next
// part: line or header. Numbers are read as %d reads them, into 64 bits.
#include "format_2x/load_2x.h"

#include <cstring>
#include <string_view>

#include "board/dialect.h"
#include "format_2x/footprints_2x.h"
#include "format_2x/lines_2x.h"
#include "format_2x/numbers_2x.h"
#include "io/fatal_error.h"
#include "io/line_reader.h"
#include "io/scan.h"

namespace {


const char* skip_blanks_in(const char* p, const char* end) {
  while (p < end && (*p == ' ' || *p == '\t')) ++p;
  return p;
}

bool begins_with(const char* p, const char* end, std::string_view prefix) {
  return static_cast<size_t>(end - p) >= prefix.size() &&
         std::memcmp(p, prefix.data(), prefix.size()) == 0;
}

// A line as the [options] reader sees it: blanks and tabs skipped, ended at a NUL byte, as a C
// string in `buffer` (kept from one line to the next).
const char* options_line(const char* p, const char* end, std::string& buffer) {
  p = skip_blanks_in(p, end);
  const void* nul = std::memchr(p, '\0', static_cast<size_t>(end - p));
  buffer.assign(p, nul == nullptr ? end : static_cast<const char*>(nul));
  return buffer.c_str();
}

// Whether an options line (blanks skipped) ends the options as the [options] reader ends them.
bool ends_options(const char* line) {
  return is_other_header(line, "[options]");
}

// A length with an optional unit after it ("100000", "0.1mm", "4mil"), in inches; nanometres
// when no unit is given. False when no number stands there.
bool scan_length_with_unit(const char* text, double& inches) {
  while (*text != '\0' && is_space_2x(*text)) ++text;
  double value = 0;
  const char* end = scan_detail::scan_double(text, &value);
  if (end == nullptr) return false;
  while (*end == ' ' || *end == '\t') ++end;
  const auto unit = [end](const char* name) {
    size_t i = 0;
    for (; name[i] != '\0'; ++i) {
      const char c = end[i];
      if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != name[i]) return false;
    }
    return true;
  };
  if (unit("mil")) {
    inches = value / 1000.0;
  } else if (unit("mm")) {
    inches = value / 25.4;
  } else {
    inches = value * kNmToInch;
  }
  return true;
}

// The records of [options] that a 2.x board needs; the version was read before.
void read_option_line(const char* line, Options& o, Source2x& source) {
  if (starts_with(line, "file_version:")) {
    scan_values(text_at(line, 13), "%lf", &o.file_version);
  } else if (starts_with(line, "units: MIL")) {
    o.units = 2;
  } else if (starts_with(line, "units: MM")) {
    o.units = 1;
  } else if (starts_with(line, "n_copper_layers:")) {
    const char* p = line + 16;
    Value2x n;
    if (scan_number_2x(p, p + std::strlen(p), p, n)) {
      source.n_copper_layers = n.value;
      o.n_copper_layers =
          n.value >= 0 && n.value <= UINT32_MAX ? static_cast<uint32_t>(n.value) : 0;
    }
  } else if (starts_with(line, "mask_clearance:")) {
    scan_length_with_unit(line + 15, o.mask_clearance);
  }
}

enum class Section { kNone, kParts, kTexts };

// A part as it is read, up to its last line.
struct PartLines {
  bool open = false;
  // The last ref_text line: where it begins and its numbers; n_values 0 when it holds only
  // blanks or the part has none.
  size_t ref_text_line = 0;
  int n_values = 0;
  Value2x ref_text[6];
  Value2x pos[4];  // x y side angle
  bool has_pos = false;
};

class Reader2x {
 public:
  Reader2x(Board& board, Source2x& source, const std::string& file_name)
      : board_(board), source_(source), text_(source.bytes), file_name_(file_name) {}

  // Reads the whole file; a FatalError carries the line it concerns.
  uint32_t read() {
    Line line;
    bool options_open = true;
    bool parts_found = false, texts_found = false, insert_found = false;
    bool first_text_seen = false;
    Section section = Section::kNone;
    const char* const base = text_.data();
    try {
      while (lines_.next(line)) {
        const char* p = base + line.begin;
        const char* const end = base + line.text_end;
        const char* const at = skip_blanks_in(p, end);
        if (at < end && *at == '[') {
          if (options_open && ends_options(options_line(at, end, buffer_))) options_open = false;
          if (section == Section::kParts) finish_part();
          section = Section::kNone;
          if (texts_found && !insert_found) {
            source_.insert_at = line.begin;
            insert_found = true;
          }
          if (!parts_found && begins_with(at, end, "[parts]")) {
            parts_found = true;
            section = Section::kParts;
            reserve_parts();
          } else if (!texts_found && begins_with(at, end, "[texts]")) {
            texts_found = true;
            section = Section::kTexts;
          }
          continue;
        }
        if (options_open) {
          read_option_line(options_line(at, end, buffer_), board_.options, source_);
        } else if (section == Section::kParts) {
          read_part_line(line, at, end);
        } else if (section == Section::kTexts && begins_with(at, end, "text:")) {
          const char* const numbers = read_text(at, end);
          if (!first_text_seen) {
            first_text_seen = true;
            Value2x values[11];
            const int n = numbers == nullptr ? 0 : scan_numbers_2x(numbers, end, base, values, 11);
            if (n == 9 || n == 10) source_.text_numbers = n;
          }
        }
      }
      if (section == Section::kParts) finish_part();
      if (!parts_found) fatal_error(Err::parts_header_missing);
      if (!texts_found) fatal_error(Err::texts_header_missing);
    } catch (FatalError& e) {
      if (!e.whole_board) e.location = location(lines_.number());
      throw;
    }
    if (!insert_found) source_.insert_at = text_.size();
    return lines_.number();
  }

  std::string location(uint32_t line) const {
    return format_text("  at line %u of \"%s\"\n", line, file_name_.c_str());
  }

 private:
  // Room for the parts of the section ahead, so that boards of many parts are not copied
  // while their tables grow: the section's part: lines are counted first.
  void reserve_parts() {
    Lines ahead = lines_.ahead();
    Line line;
    size_t count = 0;
    const char* const base = text_.data();
    while (ahead.next(line)) {
      const char* const end = base + line.text_end;
      const char* const at = skip_blanks_in(base + line.begin, end);
      if (at < end && *at == '[') break;
      count += begins_with(at, end, "part:");
    }
    board_.parts.reserve(board_.parts.size() + count);
    source_.parts.reserve(source_.parts.size() + count);
  }

  void read_part_line(const Line& line, const char* at, const char* end) {
    const char* const base = text_.data();
    if (begins_with(at, end, "part:")) {
      finish_part();
      start_part(at + 5, end);
      return;
    }
    // Records before the first part belong to no part.
    if (!part_.open) return;
    if (begins_with(at, end, "ref_text:")) {
      const char* const values = at + 9;
      if (skip_blanks_in(values, end) == end) {
        part_.n_values = 0;  // only blanks: the part is not placed
        return;
      }
      part_.n_values = scan_numbers_2x(values, end, base, part_.ref_text, 6);
      if (part_.n_values < 5) fatal_error(Err::part_ref_text_bad);
      part_.ref_text_line = line.begin;
    } else if (begins_with(at, end, "pos:")) {
      if (scan_numbers_2x(at + 4, end, base, part_.pos, 4) < 4) {
        fatal_error(Err::part_pos_bad);
      }
      part_.has_pos = true;
    } else if (begins_with(at, end, "shape:")) {
      Part& part = board_.parts.back();
      const char* const open =
          static_cast<const char*>(std::memchr(at, '"', static_cast<size_t>(end - at)));
      const char* const close = open == nullptr
                                    ? nullptr
                                    : static_cast<const char*>(std::memchr(
                                          open + 1, '"', static_cast<size_t>(end - open - 1)));
      if (close != nullptr) {
        part.shape.assign(open + 1, close);
      } else {
        part.shape.clear();
      }
    }
  }

  void start_part(const char* name, const char* end) {
    name = skip_blanks_in(name, end);
    while (end > name && (end[-1] == ' ' || end[-1] == '\t')) --end;
    // A part without a name could not be told apart from any other; the 1.x reader refuses it
    // with the same error.
    if (name == end) fatal_error(Err::part_bad);
    Part& part = board_.parts.emplace_back();
    part.name.assign(name, end);
    part_ = PartLines{};
    part_.open = true;
  }

  // The part's last lines count: its last ref_text and pos lines.
  void finish_part() {
    if (!part_.open) return;
    part_.open = false;
    Part& part = board_.parts.back();
    if (part_.has_pos) {
      part.pos_x = static_cast<double>(part_.pos[0].value) * kNmToInch;
      part.pos_y = static_cast<double>(part_.pos[1].value) * kNmToInch;
      part.side = part_.pos[2].value == 1 ? 1 : 0;
      part.angle = flip_angle(angle_mod_360(part_.pos[3].value));
    }
    part.empty_ref_text = part_.n_values == 0;
    if (!part.empty_ref_text) {
      const Value2x* const r = part_.ref_text;
      part.ref_text_height = static_cast<double>(r[kRefHeight].value) * kNmToInch;
      part.ref_text_stroke_width = static_cast<double>(r[kRefStroke].value) * kNmToInch;
      part.ref_text_angle = flip_angle(angle_mod_360(r[kRefAngle].value));
      part.ref_text_x = static_cast<double>(r[kRefX].value) * kNmToInch;
      part.ref_text_y = static_cast<double>(r[kRefY].value) * kNmToInch;
      part.ref_text_visible =
          part_.n_values == 6 ? static_cast<uint32_t>(r[kRefVisible].value) : 1u;
    }
    Part2x& kept = source_.parts.emplace_back();
    kept.ref_text_line = part_.ref_text_line;
    kept.ref_text_values = part_.n_values;
    kept.pos_x = part_.pos[0].value;
    kept.pos_y = part_.pos[1].value;
  }

  // A text record into the Board's texts, for the check; returns where its numbers begin (after
  // the first string's closing quote), or nullptr when the string is not closed. A record
  // without its seven numbers is no text the check can place, and is passed over.
  const char* read_text(const char* at, const char* end) {
    const char* const base = text_.data();
    const char* const open =
        static_cast<const char*>(std::memchr(at, '"', static_cast<size_t>(end - at)));
    if (open == nullptr) return nullptr;
    const char* const close =
        static_cast<const char*>(std::memchr(open + 1, '"', static_cast<size_t>(end - open - 1)));
    if (close == nullptr) return nullptr;
    Value2x v[7];
    if (scan_numbers_2x(close + 1, end, base, v, 7) == 7) {
      BoardText& t = board_.texts.emplace_back();
      t.text.assign(open + 1, close);
      t.x = static_cast<double>(v[0].value) * kNmToInch;
      t.y = static_cast<double>(v[1].value) * kNmToInch;
      t.layer = static_cast<uint32_t>(v[2].value);
      t.angle = flip_angle(angle_mod_360(v[3].value));
      t.mirror = static_cast<uint32_t>(v[4].value);
      t.height = static_cast<double>(v[5].value) * kNmToInch;
      t.stroke_width = static_cast<double>(v[6].value) * kNmToInch;
    }
    return close + 1;
  }

  Board& board_;
  Source2x& source_;
  std::string_view text_;
  const std::string& file_name_;
  Lines lines_{text_};
  std::string buffer_;
  PartLines part_;
};

}  // namespace

Layers2x layers_2x(double version) {
  if (version >= kRenumbered2xLayersVersion) return {10, 11, 17, 18};
  return {7, 8, 14, 15};
}

std::optional<Version2x> find_2x_version(std::string_view text) {
  Lines lines(text);
  Line line;
  std::string buffer;
  while (lines.next(line)) {
    const char* const p = text.data() + line.begin;
    const char* const end = text.data() + line.text_end;
    const char* const at = skip_blanks_in(p, end);
    if (at < end && *at == '[') {
      if (ends_options(options_line(at, end, buffer))) break;
      continue;
    }
    if (!begins_with(at, end, "version:")) continue;
    double version = 0;
    scan_values(text_at(options_line(at, end, buffer), 9), "%lf", &version);
    if (version >= kFirst2xVersion) return Version2x{version, lines.number()};
  }
  return std::nullopt;
}

uint32_t load_board_2x(Board& board, std::shared_ptr<const void> storage, std::string_view bytes,
                       const std::string& file_name, const RunFlags& flags,
                       const Version2x& version) {
  if (flags.mirror_mode) {
    // Named at the version record, before anything else of the board is read.
    try {
      fatal_error(Err::mirror_version_unsupported, version.version);
    } catch (FatalError& e) {
      e.location = format_text("  at line %u of \"%s\"\n", version.line, file_name.c_str());
      throw;
    }
  }
  if (version.version > kLatestTested2xVersion) {
    print_message(
        "\n\nCaution: Loading an untested version Korvel file:\n Loading: V%1.3lf, "
        "Latest Tested: V%1.3lf\n\n",
        version.version, kLatestTested2xVersion);
  }
  Options& o = board.options;
  o.version = version.version;
  // The editor's own file version of a 2.x board is its version; no warning about it.
  o.file_version = version.version;
  o.refdes_visibility_supported = 1;
  o.text_extra_present = 1;

  Source2x& source = board.source_2x.emplace();
  source.storage = std::move(storage);
  source.bytes = bytes;
  const size_t first_feed = bytes.find('\n');
  source.crlf =
      first_feed != std::string_view::npos && first_feed > 0 && bytes[first_feed - 1] == '\r';
  source.layers = layers_2x(version.version);
  source.text_numbers = version.version >= kTenNumberTextsVersion ? 10 : 9;

  Reader2x reader(board, source, file_name);
  const uint32_t lines = reader.read();
  if (flags.check_mode || flags.arrange_mode) read_footprints_and_outline_2x(board, source.bytes);
  return lines;
}
