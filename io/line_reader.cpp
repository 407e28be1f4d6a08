#include "io/line_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/files.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The first line feed (or, with `stop_at_nul`, the first line feed or NUL) in [p, end), or end.
// Lines are short, so this looks at sixteen bytes at a time inline instead of calling the
// library once or twice per line.
template <bool stop_at_nul>
const char* find_line_end(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i feeds = _mm_set1_epi8('\n');
  while (end - p >= 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i hits = _mm_cmpeq_epi8(chunk, feeds);
    if (stop_at_nul) hits = _mm_or_si128(hits, _mm_cmpeq_epi8(chunk, _mm_setzero_si128()));
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
    if (mask != 0) return p + __builtin_ctz(mask);
    p += 16;
  }
#endif
  while (p < end && *p != '\n' && !(stop_at_nul && *p == '\0')) ++p;
  return p;
}

// The first place `text` stands in [from, from + size), or nullptr. Headers begin with a
// character that is rare in a board ('['), so looking for that character first goes over the
// file at the speed of memchr.
const void* find_text(const char* from, size_t size, const char* text, size_t length) {
  if (length == 0) return from;
  const char* const end = from + size;
  while (static_cast<size_t>(end - from) >= length) {
    const void* first = std::memchr(from, text[0], static_cast<size_t>(end - from) - length + 1);
    if (first == nullptr) return nullptr;
    const char* at = static_cast<const char*>(first);
    if (std::memcmp(at, text, length) == 0) return at;
    from = at + 1;
  }
  return nullptr;
}

}  // namespace

LineReader::LineReader(std::string bytes) : owned_(std::move(bytes)) {
  data_ = owned_.data();
  size_ = owned_.size();
}

LineReader::LineReader(const std::string& name, bool& ok, std::string* reason) {
  file_ = std::make_shared<FileBytes>();
  ok = file_->open(name);
  if (reason != nullptr) *reason = file_->reason();
  data_ = file_->data();
  size_ = file_->size();
}

LineReader::~LineReader() = default;

void LineReader::keep_line(const char* text, size_t length) {
  if (length >= line_capacity_) {
    line_capacity_ = std::max<size_t>(2 * line_capacity_, length + 1);
    line_.reset(new char[line_capacity_]);
  }
  std::memcpy(line_.get(), text, length);
  line_[length] = '\0';
}

void LineReader::take_line(size_t offset) {
  const char* const start = data_ + offset;
  const char* const end = data_ + size_;
  const char* stop = find_line_end<true>(start, end);
  const char* text_end = stop;
  if (stop < end && *stop == '\0') {
    // A NUL ends the line's text, as it does for every C string function; the line goes on to
    // its line feed.
    const void* nl = std::memchr(stop, '\n', static_cast<size_t>(end - stop));
    stop = nl == nullptr ? end : static_cast<const char*>(nl);
  } else if (stop < end && text_end > start && text_end[-1] == '\r') {
    --text_end;  // text mode: the carriage return of a CR LF pair is not part of the line
  }
  keep_line(start, static_cast<size_t>(text_end - start));
  pos_ = stop < end ? static_cast<size_t>(stop - data_) + 1 : size_;
  ++counter_;
  have_line_ = true;
  if (pos_ >= let_go_until_ + 2 * kLetGoStep) let_go_behind();
}

const char* LineReader::read_line() {
  if (pushed_back_) {
    pushed_back_ = false;
    return line_.get();
  }
  if (pos_ >= size_) return nullptr;
  take_line(pos_);
  return line_.get();
}

bool LineReader::read_raw_line(const char*& begin, const char*& end) {
  if (pushed_back_) {
    pushed_back_ = false;
    begin = line_.get();
    end = begin + std::strlen(begin);
    return true;
  }
  if (pos_ >= size_) return false;
  begin = data_ + pos_;
  end = find_line_end<false>(begin, data_ + size_);
  pos_ = std::min(static_cast<size_t>(end - data_) + 1, size_);
  ++counter_;
  return true;
}

size_t LineReader::count_line_feeds(const char* begin, const char* end) {
  size_t count = 0;
  for (; end - begin >= 64; begin += 64)
    count += static_cast<size_t>(__builtin_popcountll(feed_mask(begin)));
  for (; begin < end; ++begin) count += *begin == '\n';
  return count;
}

uint64_t LineReader::feed_mask(const char* p) {
  uint64_t mask = 0;
#if defined(__SSE2__)
  const __m128i feeds = _mm_set1_epi8('\n');
  for (int k = 0; k < 4; ++k) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    mask |= static_cast<uint64_t>(
                static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, feeds))))
            << (16 * k);
  }
#else
  for (int k = 0; k < 64; ++k) mask |= static_cast<uint64_t>(p[k] == '\n') << k;
#endif
  return mask;
}

void LineReader::push_back_line() {
  if (have_line_) pushed_back_ = true;
}

bool LineReader::skip_to_header(const char* header) {
  if (pushed_back_) {
    const char* line = read_line();
    if (starts_with(skip_blanks(line), header)) return true;
  }
  size_t line_start = size_;
  if (pos_ != 0 || !indexed_header(header, line_start)) line_start = search_header(header);
  if (line_start < size_) {
    counter_ = counter_at(line_start);
    take_line(line_start);
    note_position();
    return true;
  }
  // No such line: every remaining line is read, as a plain search would.
  const size_t remaining = size_ - pos_;
  if (remaining > 0) {
    counter_ = counter_at(size_);
    if (data_[size_ - 1] != '\n') ++counter_;
    // The last line becomes the current one, as it would after reading up to the end.
    size_t last_start = size_;
    if (data_[size_ - 1] == '\n') --last_start;
    while (last_start > pos_ && data_[last_start - 1] != '\n') --last_start;
    const uint32_t counted = counter_;
    take_line(last_start);
    counter_ = counted;
  }
  return false;
}

size_t LineReader::search_header(const char* header) const {
  const size_t header_length = std::strlen(header);
  size_t from = pos_;
  while (from < size_) {
    // The next place the header's text stands; it counts when only blanks and tabs stand
    // between it and the start of its line.
    const void* hit = find_text(data_ + from, size_ - from, header, header_length);
    if (hit == nullptr) break;
    const char* at = static_cast<const char*>(hit);
    const char* line_start = at;
    while (line_start > data_ + pos_ && (line_start[-1] == ' ' || line_start[-1] == '\t')) {
      --line_start;
    }
    if (line_start == data_ + pos_ || line_start[-1] == '\n') {
      return static_cast<size_t>(line_start - data_);
    }
    from = static_cast<size_t>(at - data_) + 1;
  }
  return size_;
}

bool LineReader::indexed_header(const char* header, size_t& line_start) {
  constexpr size_t kHeaders = std::size(kSectionHeaders);
  size_t which = kHeaders;
  for (size_t i = 0; i < kHeaders; ++i) {
    if (std::strcmp(header, kSectionHeaders[i]) == 0) which = i;
  }
  if (which == kHeaders) return false;
  if (!headers_swept_) {
    // Every header begins with '[', which is rare in a board: one pass at the speed of memchr
    // over the '[' that begin a line (after blanks and tabs) finds the first line of each.
    headers_swept_ = true;
    std::fill(std::begin(first_header_), std::end(first_header_), size_);
    size_t missing = kHeaders;
    const char* const end = data_ + size_;
    for (const char* p = data_; missing > 0 && p < end; ++p) {
      p = static_cast<const char*>(std::memchr(p, '[', static_cast<size_t>(end - p)));
      if (p == nullptr) break;
      const char* start = p;
      while (start > data_ && (start[-1] == ' ' || start[-1] == '\t')) --start;
      if (start != data_ && start[-1] != '\n') continue;
      for (size_t i = 0; i < kHeaders; ++i) {
        const size_t length = std::strlen(kSectionHeaders[i]);
        if (first_header_[i] == size_ && static_cast<size_t>(end - p) >= length &&
            std::memcmp(p, kSectionHeaders[i], length) == 0) {
          first_header_[i] = static_cast<size_t>(start - data_);
          --missing;
        }
      }
    }
  }
  line_start = first_header_[which];
  return true;
}

void LineReader::let_go_behind() {
  const size_t until = pos_ - kLetGoStep;
  if (file_ != nullptr) file_->let_go(let_go_until_, until);
  let_go_until_ = until;
}

uint32_t LineReader::counter_at(size_t offset) const {
  // Counted from the reader's place or from the known place, forward or back, whichever is
  // nearer.
  if (known_.offset > pos_) {
    if (known_.offset <= offset) {
      return known_.counter +
             static_cast<uint32_t>(count_line_feeds(data_ + known_.offset, data_ + offset));
    }
    if (known_.offset - offset < offset - pos_) {
      return known_.counter -
             static_cast<uint32_t>(count_line_feeds(data_ + offset, data_ + known_.offset));
    }
  }
  return counter_ + static_cast<uint32_t>(count_line_feeds(data_ + pos_, data_ + offset));
}

size_t LineReader::total_lines() const {
  if (total_lines_ == SIZE_MAX) {
    total_lines_ = count_line_feeds(data_, data_ + size_);
    if (size_ > 0 && data_[size_ - 1] != '\n') ++total_lines_;
  }
  return total_lines_;
}

long extract_quoted(std::string& dest, const char* line) {
  const char* open = std::strchr(line, '"');
  if (open == nullptr) return -1;
  const char* start = open + 1;
  const char* close = std::strchr(start, '"');
  if (close == nullptr) {
    dest.assign(start);
    return -1;
  }
  dest.assign(start, static_cast<size_t>(close - start));
  return static_cast<long>(close - start);
}

const char* after_last_quote(const char* line) {
  const char* last = std::strrchr(line, '"');
  return last == nullptr ? line : last + 1;
}

bool is_other_header(const char* line, const char* own) {
  if (*line != '[') return false;  // most lines are records: settle them at once
  for (const char* header : kSectionHeaders) {
    if (header != own && std::strcmp(header, own) != 0 && starts_with(line, header)) return true;
  }
  return false;
}
