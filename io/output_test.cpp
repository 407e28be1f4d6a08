#include "io/output.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "io/text_format.h"
#include "platform/files.h"

TEST(FormatLength, StripsZerosAndPoint) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {25400000, "25400000"},
      {2.5, "2.5"},
      {-0.25, "-0.25"},
      {0.0, "0"},
      {-0.0, "0"},
      {1234.5678904, "1234.56789"},
      {-0.0000004, "-0"},
      {1000000.0000004, "1000000"},
      {0.1, "0.1"},
      {100, "100"},
      {1270, "1270"},
  };
  for (const auto& c : cases) EXPECT_EQ(format_length(c.value), c.text) << c.value;
}

TEST(FormatLength, KeepsWholeTextOfHugeValues) {
  const std::string text = format_length(1e300);
  EXPECT_EQ(text.size(), 301u);
  EXPECT_EQ(text.substr(0, 2), "10");
}

TEST(IntegerLengths, RoundHalvesAsTheFormatDoes) {
  // Coordinates round halves away from zero, sizes add a half and cut toward zero.
  EXPECT_EQ(coord_to_nm(1.5 / 25400000.0), 2);
  EXPECT_EQ(coord_to_nm(-1.5 / 25400000.0), -2);
  EXPECT_EQ(coord_to_nm(1270000.4 * 3.937007874015748e-8), 1270000);
  EXPECT_EQ(coord_to_nm(-1270000.5 * 3.937007874015748e-8), -1270001);
  EXPECT_EQ(coord_to_nm(-2540000 * 3.937007874015748e-8), -2540000);
  EXPECT_EQ(size_to_nm(1.5 / 25400000.0), 2u);
  EXPECT_EQ(size_to_nm(165100 * 3.937007874015748e-8), 165100u);
}

TEST(IntegerLengths, OutOfRangeValuesAreDefined) {
  EXPECT_EQ(coord_to_nm(1e300), 2147483647);
  EXPECT_EQ(coord_to_nm(-1e300), -2147483647 - 1);
  EXPECT_EQ(coord_to_nm(NAN), 0);
  EXPECT_EQ(coord_to_nm(INFINITY), 2147483647);
  EXPECT_EQ(size_to_nm(NAN), 0u);
  EXPECT_EQ(size_to_nm(1e300), 0u);
  // A negative size wraps as unsigned arithmetic does: -100 nm + 0.5 cuts to -99.
  EXPECT_EQ(size_to_nm(-100 * 3.937007874015748e-8), 4294967197u);
}

TEST(Output, WritesEveryLineFeedAsCrLf) {
  Output out;
  out.print("a: %d\n\nb", 5);
  out.put("\n[end]\n");
  EXPECT_EQ(out.text(), "a: 5\r\n\r\nb\r\n[end]\r\n");
}

TEST(Output, PrintsLongTextsWhole) {
  Output out;
  const std::string text(1500, 'x');
  out.print("text: \"%s\"\n", text.c_str());
  EXPECT_EQ(out.text(), "text: \"" + text + "\"\r\n");
}

// The fast paths of the printer and of format_length must print exactly what printf prints.
TEST(Output, AgreesWithPrintf) {
  std::mt19937_64 random(7);
  for (int round = 0; round < 20000; ++round) {
    const unsigned u = static_cast<unsigned>(random());
    const int d = static_cast<int>(random());
    const int small = static_cast<int>(random() % 2001) - 1000;
    Output out;
    out.print("  pin: %u %s\n%d|%1u|%c%d", u, "name", d, small >= 0 ? small : 0, 'x', small);
    char expected[200];
    std::snprintf(expected, sizeof expected, "  pin: %u %s\r\n%d|%1u|%c%d", u, "name", d,
                  small >= 0 ? small : 0, 'x', small);
    ASSERT_EQ(out.text(), expected);
  }
}

TEST(FormatLength, AgreesWithPrintf) {
  std::mt19937_64 random(11);
  const auto reference = [](double v) {
    char text[400];
    std::snprintf(text, sizeof text, "%6.6lf", v + 0.0);
    std::string s = text;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
  };
  const double specials[] = {INFINITY,
                             -INFINITY,
                             NAN,
                             -NAN,
                             1e300,
                             -1e300,
                             5e-7,
                             -5e-7,
                             4.9999999e-7,
                             0.0000005,
                             2.5e-7,
                             1e22,
                             123456789.1234565,
                             -1e-9,
                             -9.9e-8,
                             1e15,
                             -1e15,
                             999999999999999.9,
                             4503599627370497.0};
  for (double v : specials) EXPECT_EQ(format_length(v), reference(v)) << v;
  for (int round = 0; round < 250000; ++round) {
    double v;
    switch (round % 5) {
      case 0:  // whole nanometres through the inch round trip, as boards hold them
        v = static_cast<double>(static_cast<int>(random() % 200000001) - 100000000) *
            3.937007874015748e-8 * 25400000.0;
        break;
      case 1:  // mils with decimals
        v = static_cast<double>(static_cast<int>(random() % 2000001) - 1000000) / 1000.0 * 0.001 *
            1000.0;
        break;
      case 2: {  // any bit pattern
        const uint64_t bits = random();
        std::memcpy(&v, &bits, sizeof v);
        break;
      }
      case 3:  // halves at the sixth decimal
        v = (static_cast<double>(random() % 2000000) + 0.5) / 1e6;
        break;
      default: {  // just beside a whole number, on both sides of where the decimals show
        const double offsets[] = {0, 1e-9, 9.9e-8, 1e-7, 1.01e-7, 4.99e-7, 5e-7, 5.01e-7};
        const double whole =
            static_cast<double>(static_cast<int64_t>(random() % 20000001) - 10000000) *
            (round % 2 == 0 ? 1.0 : 100000.0);
        const double offset = offsets[random() % 8] * (random() % 2 ? 1 : -1);
        v = std::nextafter(whole + offset, random() % 2 ? INFINITY : -INFINITY);
        break;
      }
    }
    ASSERT_EQ(format_length(v), reference(v)) << v;
  }
}

// A file sink gets the same bytes as the in-memory text, across many flushes.
TEST(Output, FileSinkWritesTheSameText) {
  const std::string name = testing::TempDir() + "output_test.krv";
  TempFile file(name);
  ASSERT_TRUE(file.ok());
  Output to_file(file);
  Output in_memory;
  for (int i = 0; i < 300000; ++i) {
    to_file.print("    vtx: %d %s\n", i, "x");
    in_memory.print("    vtx: %d %s\n", i, "x");
    to_file.put("\n");
    in_memory.put("\n");
  }
  EXPECT_TRUE(file.commit(to_file.flush(), name));
  FILE* in = std::fopen(name.c_str(), "rb");
  std::string written;
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) written.append(chunk, n);
  std::fclose(in);
  std::remove(name.c_str());
  EXPECT_GT(written.size(), 3u << 20);
  EXPECT_TRUE(written == in_memory.text());
}

// What printf prints for `format`, each line feed doubled to CR LF.
std::string printf_text(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string printf_text(const char* format, ...) {
  va_list args, again;
  va_start(args, format);
  va_copy(again, args);
  std::vector<char> text(static_cast<size_t>(std::vsnprintf(nullptr, 0, format, args)) + 1);
  std::vsnprintf(text.data(), text.size(), format, again);
  va_end(again);
  va_end(args);
  std::string crlf;
  for (const char* c = text.data(); *c != '\0'; ++c)
    crlf += *c == '\n' ? "\r\n" : std::string(1, *c);
  return crlf;
}

// A fixed format prints exactly what printf prints, values of every size and strings that grow
// the buffer or hold line feeds included.
TEST(Output, FixedFormatsPrintAsPrintfDoes) {
  std::mt19937_64 random(12);
  Output fixed;
  std::string expected;
  for (int round = 0; round < 5000; ++round) {
    const unsigned u = static_cast<unsigned>(random());
    const int d = static_cast<int>(random());
    const uint32_t small = static_cast<uint32_t>(random() % 10);
    const std::string text(random() % 3 == 0 ? random() % 5000 : random() % 12,
                           "ab\nc"[random() % 4]);
    const char c = "x\n"[random() % 2];
    fixed.print<"\npart: %s\n  ref_text: %u %d %1u%c|">(text.c_str(), u, d, small, c);
    expected += printf_text("\npart: %s\n  ref_text: %u %d %1u%c|", text.c_str(), u, d, small, c);
    fixed.print<"    vtx: %u %d %d %u %u %u %u %u\n">(u, d, ~d, 0u, small, d, u, d);
    expected += printf_text("    vtx: %u %d %d %u %u %u %u %u\n", u, d, ~d, 0u, small, d, u, d);
    fixed.print<"%s">(text.c_str());
    expected += printf_text("%s", text.c_str());
    fixed.print<"[end]\n">();
    expected += "[end]\r\n";
    // Lengths given as such print as format_length prints them.
    const double lengths[] = {static_cast<double>(d) * 3.937007874015748e-8 * 25400000.0,
                              static_cast<double>(d) / 1000.0,
                              -1e-9,
                              1e300,
                              -0.0,
                              1e15 + 0.5};
    const double length = lengths[random() % 6];
    fixed.print<"  pos: %s %s|%s\n">(Length{length}, Length{-length}, text.c_str());
    expected += "  pos: " + format_length(length) + " " + format_length(-length) + "|" +
                printf_text("%s\n", text.c_str());
  }
  ASSERT_TRUE(fixed.text() == expected);
}

// The general printer (messages and records printed from a format read at run time) prints what
// glibc's printf prints for every directive the program uses: huge values in full, infinities,
// NaNs with their sign, widths that pad on either side.
TEST(FormatText, AgreesWithPrintf) {
  std::mt19937_64 random(13);
  const double specials[] = {
      1e300,    -1e300, INFINITY, -INFINITY, NAN,       -NAN,
      0.0,      -0.0,   0.0005,   0.0015,    2.5e-7,    1.7976931348623157e308,
      4.9e-324, 1.125,  -1.0625,  99.995,    1e15 + 0.5};
  const auto check = [](double v, int i, unsigned u, const char* text) {
    const char* const formats[] = {
        "Elapsed time: %1.3lf Sec\n",    "Ver %1.2lf%c|",    "version: %5.3lf\n",
        "%s%s_spacing: %1.6lf\n",        "%6.6lf|%1.4lf|%f", "Net %-16s Area %u %d|%5d|%-5u|",
        "%08.3f|%-8.1lf|%.0f|%3s|%.2s%%"};
    char expected[1000];
    std::snprintf(expected, sizeof expected, formats[0], v);
    EXPECT_EQ(format_text(formats[0], v), expected);
    std::snprintf(expected, sizeof expected, formats[1], v, 'R');
    EXPECT_EQ(format_text(formats[1], v, 'R'), expected);
    std::snprintf(expected, sizeof expected, formats[2], v);
    EXPECT_EQ(format_text(formats[2], v), expected);
    std::snprintf(expected, sizeof expected, formats[3], text, "x", v);
    EXPECT_EQ(format_text(formats[3], text, "x", v), expected);
    std::snprintf(expected, sizeof expected, formats[4], v, v, v);
    EXPECT_EQ(format_text(formats[4], v, v, v), expected);
    std::snprintf(expected, sizeof expected, formats[5], text, u, i, i, u);
    EXPECT_EQ(format_text(formats[5], text, u, i, i, u), expected);
    std::snprintf(expected, sizeof expected, formats[6], v, v, v, text, text);
    EXPECT_EQ(format_text(formats[6], v, v, v, text, text), expected);
  };
  const char* const texts[] = {"", "a", "GND", "a_net_name_longer_than_16"};
  for (double v : specials) check(v, INT32_MIN, UINT32_MAX, texts[3]);
  for (int round = 0; round < 20000; ++round) {
    double v;
    if (round % 2 == 0) {
      const uint64_t bits = random();
      std::memcpy(&v, &bits, sizeof v);
    } else {
      v = static_cast<double>(static_cast<int64_t>(random() % 2000000001) - 1000000000) / 1e4;
    }
    check(v, static_cast<int>(random()), static_cast<unsigned>(random()), texts[round % 4]);
    if (HasFailure()) return;
  }
}

// 1e300 printed with three decimals is all 301 of its digits.
TEST(FormatText, PrintsHugeValuesInFull) {
  const std::string text = format_text("%1.3lf", 1e300);
  EXPECT_EQ(text.size(), 301u + 4u);
  EXPECT_EQ(text.substr(0, 17), "10000000000000000");
  EXPECT_EQ(text.substr(text.size() - 4), ".000");
}
