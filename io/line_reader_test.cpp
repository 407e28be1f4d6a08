#include "io/line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "io/scan.h"

namespace {

std::vector<std::string> all_lines(const std::string& text) {
  LineReader in(text);
  std::vector<std::string> lines;
  while (const char* line = in.read_line()) lines.emplace_back(line);
  EXPECT_EQ(in.line_number(), lines.size());
  return lines;
}

}  // namespace

TEST(LineReader, TextModeLineEnds) {
  using V = std::vector<std::string>;
  const struct {
    std::string text;
    V lines;
  } cases[] = {
      {"a\r\nb\r\n", V{"a", "b"}},
      {"a\nb\n", V{"a", "b"}},
      {"a\r\nb", V{"a", "b"}},  // last line without its line feed
      {"a\rb\r\n", V{"a\rb"}},  // a lone carriage return is part of the line
      {"a\r\r\n", V{"a\r"}},    // only the one directly before the line feed goes
      {"a\r", V{"a\r"}},        // ...and only when a line feed follows
      {"\n\n", V{"", ""}},
      {"", V{}},
      {std::string("ab\0cd\nx\n", 8), V{"ab", "x"}},  // a NUL ends the line's text
  };
  for (const auto& c : cases) EXPECT_EQ(all_lines(c.text), c.lines) << c.text;
}

TEST(LineReader, LongLinesComeWhole) {
  for (size_t length : {127u, 128u, 2000u, 100000u}) {
    const std::string line(length, 'x');
    EXPECT_EQ(all_lines(line + "\r\nnext\r\n"), (std::vector<std::string>{line, "next"}));
  }
}

TEST(LineReader, PushBackReturnsTheSameLineUncounted) {
  LineReader in("one\ntwo\n");
  in.push_back_line();  // nothing read yet: no effect
  EXPECT_STREQ(in.read_line(), "one");
  in.push_back_line();
  EXPECT_STREQ(in.read_line(), "one");
  EXPECT_EQ(in.line_number(), 1u);
  EXPECT_STREQ(in.read_line(), "two");
  EXPECT_EQ(in.read_line(), nullptr);
  EXPECT_EQ(in.line_number(), 2u);
  in.push_back_line();  // the last line read comes back even after the end
  EXPECT_STREQ(in.read_line(), "two");
}

TEST(LineReader, TellSeekAndRewindCarryTheCounter) {
  LineReader in("a\nb\nc\n");
  in.read_line();
  const LineReader::Mark mark = in.tell();
  EXPECT_STREQ(in.read_line(), "b");
  EXPECT_STREQ(in.read_line(), "c");
  in.seek(mark);
  EXPECT_EQ(in.line_number(), 1u);
  EXPECT_STREQ(in.read_line(), "b");
  in.rewind();
  EXPECT_EQ(in.line_number(), 0u);
  EXPECT_STREQ(in.read_line(), "a");
  EXPECT_EQ(in.total_lines(), 3u);
}

TEST(ExtractQuoted, TakesTheTextBetweenTheFirstTwoQuotes) {
  std::string dest = "old";
  EXPECT_EQ(extract_quoted(dest, "text: \"ABC\" 1 2"), 3);
  EXPECT_EQ(dest, "ABC");
  EXPECT_EQ(extract_quoted(dest, "text: \"\" 1"), 0);
  EXPECT_EQ(dest, "");
  EXPECT_EQ(extract_quoted(dest, "a\"b\"c\"d\""), 1);
  EXPECT_EQ(dest, "b");
  dest = "old";
  EXPECT_EQ(extract_quoted(dest, "no quote here"), -1);
  EXPECT_EQ(dest, "old");
  EXPECT_EQ(extract_quoted(dest, "open \"only"), -1);
  EXPECT_EQ(dest, "only");
  const std::string long_text(1500, 'q');
  EXPECT_EQ(extract_quoted(dest, ("\"" + long_text + "\"").c_str()), 1500);
  EXPECT_EQ(dest, long_text);
}

TEST(ScanHelpers, NeverReadPastTheLine) {
  const char* line = "ab";
  EXPECT_STREQ(text_at(line, 1), "b");
  EXPECT_STREQ(text_at(line, 2), "");
  EXPECT_STREQ(text_at(line, 50), "");
  unsigned value = 7;
  EXPECT_EQ(scan_values(text_at(line, 50), "%u", &value), 0);
  EXPECT_EQ(value, 7u);
  EXPECT_EQ(scan_values(" -1", "%u", &value), 1);  // %u takes a sign and wraps
  EXPECT_EQ(value, 4294967295u);
  EXPECT_STREQ(after_last_quote("t: \"a\"b\" 5"), " 5");
}

TEST(ScanHelpers, HeadersAndKeywordsArePrefixes) {
  EXPECT_TRUE(starts_with("[texts]x", "[texts]"));
  EXPECT_FALSE(starts_with("[text", "[texts]"));
  EXPECT_TRUE(is_other_header("[end]", "[texts]"));
  EXPECT_FALSE(is_other_header("[texts]", "[texts]"));
  EXPECT_FALSE(is_other_header(" [end]", "[texts]"));
  EXPECT_STREQ(skip_blanks(" \t text:"), "text:");
}

// Finding a header by search must leave the reader exactly where reading line by line would.
TEST(LineReader, SkipToHeaderMatchesReadingLineByLine) {
  const char* const pieces[] = {"[texts]",  " [texts]", "\t[texts]x",
                                "a[texts]", "[text",    "x",
                                "",         "\r",       "(a NUL and a header, below)",
                                "[end]",    " \t",      "[texts"};
  std::mt19937 random(5);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int n = static_cast<int>(random() % 7);
    for (int i = 0; i < n; ++i) {
      const size_t k = random() % 12;
      text += k == 8 ? std::string("\0[texts]", 8) : std::string(pieces[k]);
      const int end = static_cast<int>(random() % 4);
      if (i + 1 < n || end != 0) text += end == 1 ? "\r\n" : "\n";
    }
    LineReader fast(text), slow(text);
    const int skip = static_cast<int>(random() % 3);
    for (int i = 0; i < skip; ++i) fast.read_line(), slow.read_line();
    bool found_slow = false;
    while (const char* line = slow.read_line()) {
      if (starts_with(skip_blanks(line), "[texts]")) {
        found_slow = true;
        break;
      }
    }
    ASSERT_EQ(fast.skip_to_header("[texts]"), found_slow) << text;
    ASSERT_EQ(fast.line_number(), slow.line_number()) << text;
    fast.push_back_line();
    slow.push_back_line();
    for (;;) {
      const char* a = fast.read_line();
      const char* b = slow.read_line();
      ASSERT_EQ(a == nullptr, b == nullptr) << text;
      if (a == nullptr) break;
      ASSERT_STREQ(a, b) << text;
    }
  }
}

// Sections are looked for again and again from the top, after reading on, seeking back and
// forth: the line number after each search is what reading line by line gives.
TEST(LineReader, RepeatedHeaderSearchesCountLikeReading) {
  const char* const pieces[] = {"[a]", "[b]", " [c]", "x", "", "[b]x", "\r"};
  const char* const headers[] = {"[a]", "[b]", "[c]"};
  std::mt19937 random(9);
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    const int n = static_cast<int>(random() % 40);
    for (int i = 0; i < n; ++i) text += std::string(pieces[random() % 7]) + "\n";
    if (random() % 2 && !text.empty()) text.pop_back();  // a last line without its line feed
    LineReader fast(text), slow(text);
    LineReader::Mark fast_mark = fast.tell(), slow_mark = slow.tell();
    for (int step = 0; step < 12; ++step) {
      switch (random() % 4) {
        case 0: {
          const char* header = headers[random() % 3];
          fast.rewind();
          slow.rewind();
          const bool found = fast.skip_to_header(header);
          bool found_slow = false;
          while (const char* line = slow.read_line()) {
            if (starts_with(skip_blanks(line), header)) {
              found_slow = true;
              break;
            }
          }
          ASSERT_EQ(found, found_slow) << text;
          break;
        }
        case 1:
          for (int k = static_cast<int>(random() % 5); k > 0; --k) {
            const char* a = fast.read_line();
            const char* b = slow.read_line();
            ASSERT_EQ(a == nullptr, b == nullptr);
            if (a != nullptr) {
              ASSERT_STREQ(a, b);
            }
          }
          break;
        case 2:
          fast_mark = fast.tell();
          slow_mark = slow.tell();
          break;
        default:
          fast.seek(fast_mark);
          slow.seek(slow_mark);
          break;
      }
      ASSERT_EQ(fast.line_number(), slow.line_number()) << text << " step " << step;
    }
  }
}

// Section headers looked for from the top are found through one sweep of the text made the
// first time; the place and line number after each search are what reading line by line
// gives, whatever stands before, around and after the headers.
TEST(LineReader, SectionHeadersFromTheTopAreFoundLikeReading) {
  const std::string pieces[] = {
      "[nets]",  " [parts]",  "\t[texts]x", "a[nets]",  "[net",
      "[[nets]", "x",         "",           "\r",       std::string("\0[parts]", 8),
      "[end]",   " \t[nets]", "[texts",     " [ [end]", "[options] 1"};
  const char* const headers[] = {"[options]", "[parts]", "[nets]", "[texts]", "[end]", "[net"};
  std::mt19937 random(11);
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    const int n = static_cast<int>(random() % 30);
    for (int i = 0; i < n; ++i) text += pieces[random() % std::size(pieces)] + "\n";
    if (random() % 2 && !text.empty()) text.pop_back();  // a last line without its line feed
    LineReader fast(text), slow(text);
    for (int step = 0; step < 8; ++step) {
      if (random() % 3 == 0) {
        for (int k = static_cast<int>(random() % 4); k > 0; --k) {
          const char* a = fast.read_line();
          const char* b = slow.read_line();
          ASSERT_EQ(a == nullptr, b == nullptr);
          if (a != nullptr) {
            ASSERT_STREQ(a, b);
          }
        }
        if (random() % 2) {
          fast.push_back_line();
          slow.push_back_line();
        }
        continue;
      }
      const char* header = headers[random() % std::size(headers)];
      fast.rewind();
      slow.rewind();
      const bool found = fast.skip_to_header(header);
      bool found_slow = false;
      while (const char* line = slow.read_line()) {
        if (starts_with(skip_blanks(line), header)) {
          found_slow = true;
          break;
        }
      }
      ASSERT_EQ(found, found_slow) << text << " " << header;
      ASSERT_EQ(fast.line_number(), slow.line_number()) << text << " " << header;
      const char* a = fast.read_line();
      const char* b = slow.read_line();
      ASSERT_EQ(a == nullptr, b == nullptr) << text;
      if (a != nullptr) {
        ASSERT_STREQ(a, b) << text;
      }
    }
  }
}

// A file larger than the part the reader keeps behind it: the text it has let go of reads the
// same when the reader comes back to it.
TEST(LineReader, TextLetGoOfReadsTheSameAgain) {
  std::string text;
  for (int i = 0; text.size() < (10u << 20); ++i)
    text += "    vtx: " + std::to_string(i) + " 1 2\r\n";
  text += "[end]\r\n";
  const std::string name = testing::TempDir() + "line_reader_let_go.krv";
  FILE* file = std::fopen(name.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file), text.size());
  std::fclose(file);
  bool ok = false;
  LineReader in(name, ok);
  ASSERT_TRUE(ok);
  LineReader expected(text);
  const LineReader::Mark start = in.tell();
  for (int pass = 0; pass < 2; ++pass) {
    for (;;) {
      const char* a = in.read_line();
      const char* b = expected.read_line();
      ASSERT_EQ(a == nullptr, b == nullptr);
      if (a == nullptr) break;
      ASSERT_STREQ(a, b);
    }
    in.seek(start);
    expected.rewind();
  }
  in.rewind();
  ASSERT_TRUE(in.skip_to_header("[end]"));
  EXPECT_EQ(in.line_number(), expected.total_lines());
  std::remove(name.c_str());
}

TEST(LineReader, CountsLinesOfTheWholeText) {
  EXPECT_EQ(LineReader("").total_lines(), 0u);
  EXPECT_EQ(LineReader("a").total_lines(), 1u);
  EXPECT_EQ(LineReader("a\n").total_lines(), 1u);
  EXPECT_EQ(LineReader("a\r\nb").total_lines(), 2u);
}

TEST(LineReader, ReadsFilesAndRefusesFolders) {
  const std::string name = testing::TempDir() + "line_reader_test.krv";
  FILE* file = std::fopen(name.c_str(), "wb");
  std::fputs("one\r\ntwo", file);
  std::fclose(file);
  bool ok = false;
  LineReader in(name, ok);
  ASSERT_TRUE(ok);
  EXPECT_STREQ(in.read_line(), "one");
  EXPECT_STREQ(in.read_line(), "two");
  std::remove(name.c_str());
  LineReader folder(testing::TempDir(), ok);
  EXPECT_FALSE(ok);
  LineReader missing(name, ok);
  EXPECT_FALSE(ok);
}

TEST(LineReader, CountsLinesOfLongTextsExactly) {
  std::mt19937 random(9);
  for (size_t length : {15u, 16u, 17u, 4079u, 4080u, 4081u, 100000u}) {
    std::string text(length, 'x');
    size_t feeds = 0;
    for (char& c : text) {
      if (random() % 5 == 0) c = '\n', ++feeds;
    }
    const bool open_end = !text.empty() && text.back() != '\n';
    EXPECT_EQ(LineReader(text).total_lines(), feeds + (open_end ? 1 : 0)) << length;
    // A header at the very end is found with the counter of every line before it.
    LineReader in(text + "\n[end]\n");
    ASSERT_TRUE(in.skip_to_header("[end]"));
    EXPECT_EQ(in.line_number(), feeds + 2) << length;
  }
}

// Lines of every length, with line feeds, carriage returns and NULs at every place within the
// sixteen-byte steps of the line search, come out as the text-mode rules say; raw lines are the
// same lines' bytes before those rules are applied, counted the same way.
TEST(LineReader, AgreesWithTheTextModeRulesAnywhereInALine) {
  std::mt19937 random(5);
  const char alphabet[] = {'a', 'b', ' ', '\r', '\n', '\0'};
  for (int round = 0; round < 3000; ++round) {
    std::string text(random() % 300, 'a');
    const unsigned letters = round % 2 ? 6 : 3 + random() % 4;
    for (char& c : text) c = alphabet[random() % letters];
    std::vector<std::string> expected, expected_raw;
    for (size_t pos = 0; pos < text.size();) {
      const size_t nl = text.find('\n', pos);
      const size_t end = nl == std::string::npos ? text.size() : nl;
      std::string line = text.substr(pos, end - pos);
      expected_raw.push_back(line);
      if (nl != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
      expected.push_back(line.substr(0, line.find('\0')));
      pos = end + 1;
    }
    ASSERT_EQ(all_lines(text), expected) << round;
    LineReader raw(text);
    std::vector<std::string> raw_lines;
    const char* begin;
    const char* end;
    while (raw.read_raw_line(begin, end)) {
      raw_lines.emplace_back(begin, end);
      EXPECT_EQ(raw.line_number(), raw_lines.size());
    }
    ASSERT_EQ(raw_lines, expected_raw) << round;
    // The sweep over many lines sees the same lines and, stopped at any of them, leaves the
    // reader just after it.
    std::vector<std::string> swept_lines;
    const size_t stop_at = random() % (expected.size() + 1);
    LineReader swept(text);
    const bool stopped = swept.read_raw_lines([&](const char* begin, const char* end) {
      swept_lines.emplace_back(begin, end);
      return swept_lines.size() == stop_at;
    });
    ASSERT_EQ(stopped, stop_at >= 1 && stop_at <= expected.size()) << round;
    ASSERT_EQ(swept.line_number(), swept_lines.size()) << round;
    ASSERT_TRUE(std::equal(swept_lines.begin(), swept_lines.end(), expected_raw.begin()));
    if (swept_lines.size() < expected.size()) {
      ASSERT_STREQ(swept.read_line(), expected[swept_lines.size()].c_str()) << round;
    }
  }
}
