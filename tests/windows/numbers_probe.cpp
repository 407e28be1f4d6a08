// Prints what the program's own scanner and printers make of many records and values, the same
// ones on every system (a fixed seed of a generator whose sequence the C++ standard fixes). The
// Linux and Windows builds must print the same bytes; on Linux the differential tests hold the
// same code to glibc's sscanf and printf.
//   silkora_numbers_probe > numbers.txt
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "io/output.h"
#include "io/scan.h"
#include "io/text_format.h"
#include "platform/console.h"

namespace {

const char* const kTokens[] = {"0",
                               "7",
                               "-3",
                               "+4",
                               "-0",
                               "1.5",
                               "1.",
                               ".5",
                               "-.5",
                               "1e3",
                               "2E-2",
                               "1e",
                               "1e+",
                               "1e-x",
                               "inf",
                               "-INF",
                               "nan",
                               "-NaN(1)",
                               "Infinity",
                               "infin",
                               "0x1A",
                               "0x",
                               "0x1p3",
                               "0x.8p-2",
                               "-0X1.8P3",
                               "0x.p1",
                               "0x1p-1075",
                               "0x1p1024",
                               "abc",
                               "-",
                               "12abc",
                               "4294967295",
                               "4294967296",
                               "-4294967296",
                               "99999999999",
                               "2147483648",
                               "-2147483649",
                               "18446744073709551616",
                               "9223372036854775808",
                               "1e300",
                               "1e400",
                               "-1e-400",
                               "1e-310",
                               "2.4703282292062328e-324",
                               "3.14159265358979323846",
                               "1270000.4",
                               "25400000",
                               "0.000000001",
                               "12345678901234567",
                               "x",
                               ",",
                               "%"};
const char* const kSeparators[] = {" ", "  ", "\t", "", " \r "};

std::string bits(double v) {
  uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return format_text("%u:%u", static_cast<unsigned>(b >> 32), static_cast<unsigned>(b));
}

}  // namespace

int main() {
  prepare_console();
  std::mt19937_64 random(13);
  std::string out;
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int n = static_cast<int>(random() % 7);
    for (int t = 0; t < n; ++t) {
      if (t > 0) text += kSeparators[random() % 5];
      text += kTokens[random() % (sizeof kTokens / sizeof kTokens[0])];
    }
    double d[4] = {-1, -1, -1, -1};
    unsigned u[2] = {1, 1};
    int i[2] = {2, 2};
    char w[256] = "-";
    int count = scan_values(text.c_str(), "%lf %u %d %lf %s", &d[0], &u[0], &i[0], &d[1], w);
    out += format_text("[%s] %d %s %u %d %s %s|", text.c_str(), count, bits(d[0]).c_str(), u[0],
                       i[0], bits(d[1]).c_str(), w);
    count = scan_values<"%*u %lf %lf %u %d">(text.c_str(), &d[2], &d[3], &u[1], &i[1]);
    out +=
        format_text("%d %s %s %u %d\n", count, bits(d[2]).c_str(), bits(d[3]).c_str(), u[1], i[1]);
  }
  for (int round = 0; round < 20000; ++round) {
    double v;
    const uint64_t b = random();
    if (round % 2 == 0) {
      std::memcpy(&v, &b, sizeof v);
    } else {
      v = static_cast<double>(static_cast<int64_t>(b % 2000000001) - 1000000000) / 1e4;
    }
    out += format_text("%1.3lf|%5.3lf|%6.6lf|%1.6lf|%1.2lf|%1.4lf|%-16s|%d|%u|", v, v, v, v, v, v,
                       "n", static_cast<int>(b), static_cast<unsigned>(b >> 32));
    out += format_length(v) + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
