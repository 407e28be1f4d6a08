// Line-by-line access to a board file held whole in memory.
//
// The file's bytes are read into memory once; section readers walk over them as often as they
// rewind. Lines follow the text-mode rules the format was defined with: a line ends after a
// line feed, a carriage return directly before the line feed is not part of it, a lone
// carriage return is, the last line may lack its line feed, and a NUL byte ends a line's text
// early. Lines are never split, whatever their length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

class FileBytes;

// The section headers; a line that begins with any of them ends the section before it.
inline constexpr const char* kSectionHeaders[] = {
    "[options]", "[footprints]", "[board]", "[solder_mask_cutouts]",
    "[parts]",   "[nets]",       "[texts]", "[end]"};

class LineReader {
 public:
  // Over a text in memory.
  explicit LineReader(std::string bytes);
  // Over the file `name`, read whole; `ok` is false when it cannot be opened or
  // read (a folder included), and `reason`, if given, then says why (platform/error_reasons.h).
  LineReader(const std::string& name, bool& ok, std::string* reason = nullptr);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next line, or nullptr at the end of the text. The line stays valid until the next
  // read. After push_back_line the same line comes back once more without being counted.
  const char* read_line();
  // Makes the next read_line return the last line again (only once a line has been read).
  void push_back_line();

  // The next line's bytes as they stand in the text, counted as read_line counts them but not
  // copied: [begin, end) runs up to its line feed. A carriage return or NUL is left in it, so
  // this serves only to compare the start of a line with keywords and headers (which hold
  // neither). After push_back_line the pushed-back line comes back once more.
  bool read_raw_line(const char*& begin, const char*& end);
  // Reads on line by line in the same way, handing each line's bytes to `visit(begin, end)`
  // until it returns true (that line is then the last one read) or the text ends. Returns
  // whether it stopped. Long runs of lines are gone over this way in one sweep of the text,
  // sixty-four bytes at a time.
  template <typename Visit>
  bool read_raw_lines(Visit&& visit);

  // Reads up to and including the first line that begins, after blanks and tabs, with
  // `header`; false at the end of the text. The same as calling read_line until such a line
  // comes, only fast. From the top of the text, the section headers are found through one
  // sweep made the first time any is looked for, so the file is not searched again from the
  // top for every section.
  bool skip_to_header(const char* header);

  // A remembered place: the position and the line counter travel together.
  struct Mark {
    size_t offset;
    uint32_t counter;
  };
  Mark tell() const { return {pos_, counter_}; }
  void seek(Mark mark) {
    note_position();
    pos_ = mark.offset;
    counter_ = mark.counter;
  }
  // Back to the top of the text with the line counter at 0. A pending push-back survives a
  // rewind, as it always has.
  void rewind() { seek({0, 0}); }

  // The number of the last line read, counted from the top.
  uint32_t line_number() const { return counter_; }
  // How many lines the whole text has, and how many bytes.
  size_t total_lines() const;
  size_t size() const { return size_; }
  // The whole text.
  std::string_view text() const { return {data_, size_}; }
  // What holds the text of a reader over a file, to keep it beyond the reader (a board that is
  // written back from its own bytes keeps them so, without a copy); nothing for a text that was
  // given.
  std::shared_ptr<const void> file_bytes() const { return file_; }
  // How many bytes are left after the last line read.
  size_t bytes_left() const { return size_ - pos_; }

 private:
  // Sections are looked for from the top of the file again and again; the furthest place whose
  // line count is known saves counting the lines before it each time.
  // Only a place just after a line feed counts: at the end of a last line without one, the
  // counter has already counted that line.
  void note_position() {
    if (pos_ > known_.offset && data_[pos_ - 1] == '\n') known_ = {pos_, counter_};
  }
  // The line counter at `offset`: the start of a line at or after the next one, or the end.
  uint32_t counter_at(size_t offset) const;
  // Where the first line that begins with `header` starts, found by a search from the
  // reader's place: an offset, or size_ when there is none.
  size_t search_header(const char* header) const;
  // The same from the top of the text for a section header, through the sweep that finds
  // every section header's first line at once; false for any other header.
  bool indexed_header(const char* header, size_t& line_start);
  // Lets go of the part of a mapped file the reader has left far behind (see take_line).
  void let_go_behind();
  // Makes the line that starts at `offset` the current one and reads on after it.
  void take_line(size_t offset);
  void keep_line(const char* text, size_t length);
  // A bit for every line feed among the 64 bytes from `p`.
  static uint64_t feed_mask(const char* p);
  // How many line feeds [begin, end) holds. Sections are looked for across the whole file, so
  // this may run over much of it.
  static size_t count_line_feeds(const char* begin, const char* end);

  std::string owned_;                // the text, when it was given
  std::shared_ptr<FileBytes> file_;  // the file's bytes, when it was read from a file
  const char* data_ = nullptr;
  size_t size_ = 0;
  size_t pos_ = 0;  // offset of the next line
  uint32_t counter_ = 0;
  Mark known_ = {0, 0};
  bool pushed_back_ = false;
  bool have_line_ = false;
  std::unique_ptr<char[]> line_;  // the line last returned, NUL-terminated
  size_t line_capacity_ = 0;
  mutable size_t total_lines_ = SIZE_MAX;
  // The line start of each section header's first line (size_ when it has none), once swept.
  bool headers_swept_ = false;
  size_t first_header_[std::size(kSectionHeaders)] = {};
  // A board file is read front to back, section after section; what lies more than a step
  // behind the reader is let go of as it moves on, so the file's pages do not stay in memory
  // beside the records built from them. Text read again later (a seek back, another search)
  // comes back from the file's cache on its own.
  static constexpr size_t kLetGoStep = 1u << 20;
  size_t let_go_until_ = 0;  // the text before this has been let go of
};

template <typename Visit>
bool LineReader::read_raw_lines(Visit&& visit) {
  const char* begin;
  const char* end;
  if (pushed_back_) {
    read_raw_line(begin, end);
    if (visit(begin, end)) return true;
  }
  const char* const text_end = data_ + size_;
  const char* line = data_ + pos_;
  for (const char* p = line; text_end - p >= 64; p += 64) {
    for (uint64_t mask = feed_mask(p); mask != 0; mask &= mask - 1) {
      const char* const feed = p + __builtin_ctzll(mask);
      ++counter_;
      if (visit(line, feed)) {
        pos_ = static_cast<size_t>(feed + 1 - data_);
        return true;
      }
      line = feed + 1;
    }
  }
  pos_ = static_cast<size_t>(line - data_);
  while (read_raw_line(begin, end)) {
    if (visit(begin, end)) return true;
  }
  return false;
}

// Skips leading blanks and tabs.
inline const char* skip_blanks(const char* s) {
  while (*s == ' ' || *s == '\t') ++s;
  return s;
}

// Whether `s` begins with `prefix`; keywords and headers are matched this way.
inline bool starts_with(const char* s, const char* prefix) {
  while (*prefix) {
    if (*s++ != *prefix++) return false;
  }
  return true;
}

// The text at character `pos` of `line`, or an empty text when the line is shorter: a scan
// that starts past the end of a short line scans nothing.
inline const char* text_at(const char* line, size_t pos) {
  for (size_t i = 0; i < pos; ++i) {
    if (line[i] == '\0') return line + i;
  }
  return line + pos;
}

// Copies the text between the first double quote of `line` and the next one into `dest`.
// Returns its length; -1 when the line has no quote (dest untouched) or no closing quote (dest
// holds the rest of the line). Texts are never cut.
long extract_quoted(std::string& dest, const char* line);

// The text just after the last double quote of `line` (where numbers that follow a quoted
// text are scanned), or the line itself when it has none.
const char* after_last_quote(const char* line);

// Whether `line` (blanks already skipped) begins with a section header other than `own`.
bool is_other_header(const char* line, const char* own);
