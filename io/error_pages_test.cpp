#include "io/error_pages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string committed(const char* name) {
  std::ifstream in(std::string(SILKORA_SOURCE_DIR) + "/docs/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

// Every error of the catalogue has its entry on the committed pages, with its message as the
// program prints it.
TEST(ErrorPages, EveryCodeHasItsEntry) {
  const std::string markdown = committed("errors.md");
  const std::string man = committed("silkora.1");
  ASSERT_FALSE(markdown.empty());
  ASSERT_NE(man.find("\n.SH ERRORS\n"), std::string::npos);
  for (const ErrorEntry& e : kErrorCatalogue) {
    if (e.code == 0) {
      EXPECT_NE(markdown.find("\n## Help (-H, -?)\n"), std::string::npos);
      continue;
    }
    const std::string code = std::to_string(e.code);
    EXPECT_NE(markdown.find("\n## Error " + code + "\n\n`Error " + code + ": " +
                            message_as_shown(e) + "`\n\n**Cause:** "),
              std::string::npos)
        << "docs/errors.md has no entry for " << code;
    EXPECT_NE(man.find("\n.TP\n\\fBError " + code + ":\\fR "), std::string::npos)
        << "the man page has no entry for " << code;
  }
}

TEST(ErrorPages, ManSectionReplacesItselfAndGoesBeforeWindows) {
  const std::string section = errors_man_section();
  const std::string without = ".TH X 1\n.SH NAME\nx\n.SH WINDOWS\nw\n";
  const std::string with = with_errors_man_section(without);
  EXPECT_EQ(with, ".TH X 1\n.SH NAME\nx\n" + section + ".SH WINDOWS\nw\n");
  EXPECT_EQ(with_errors_man_section(with), with);
  // An outdated section is replaced whole, also as the last section.
  EXPECT_EQ(with_errors_man_section(".TH X 1\n.SH ERRORS\nold\nlines\n"), ".TH X 1\n" + section);
}

TEST(ErrorPages, MessagesShowWhereValuesGo) {
  const struct {
    Err error;
    const char* shown;
  } cases[] = {
      {Err::layer_missing, "missing layer reading layer list"},
      {Err::part_footprint_unknown, "Part \"…\" uses unknown footprint \"…\""},
      {Err::part_rotation_bad, "…: bad rotation angle (N)"},
      {Err::pin_record_short, "…: pin record missing N parameter(s)"},
      {Err::mirror_version_unsupported, "mirroring boards of version N is not supported"},
      {Err::top_pad_shape_bad, "….…: invalid top pad shape: > 6"},
  };
  for (const auto& c : cases) EXPECT_EQ(message_as_shown(catalogue_entry(c.error)), c.shown);
}

// The user's words are there for every error, and no two errors share a message and a cause
// (two entries a user could not tell apart).
TEST(ErrorCatalogue, EveryEntrySaysCauseAndRemedy) {
  std::set<std::string> seen;
  for (const ErrorEntry& e : kErrorCatalogue) {
    EXPECT_GT(std::string(e.cause).size(), 20u) << e.code;
    EXPECT_GT(std::string(e.remedy).size(), 5u) << e.code;
    EXPECT_TRUE(seen.insert(std::string(e.format) + e.cause).second) << e.code;
  }
}
