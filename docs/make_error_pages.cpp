// Writes the user's page of errors from the catalogue, or checks the committed pages against it:
//   silkora_error_pages --write DOCS_DIR   rewrites DOCS_DIR/errors.md and the ERRORS section
//                                          of DOCS_DIR/silkora.1 (make error-pages)
//   silkora_error_pages --check DOCS_DIR   fails when either differs from the catalogue (a test)
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "io/error_pages.h"

namespace {

bool read_file(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

bool write_file(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 3 ? argv[1] : "";
  if (mode != "--write" && mode != "--check") {
    std::fputs("usage: silkora_error_pages --write|--check DOCS_DIR\n", stderr);
    return 2;
  }
  const std::string markdown_path = std::string(argv[2]) + "/errors.md";
  const std::string man_path = std::string(argv[2]) + "/silkora.1";
  std::string man_page;
  if (!read_file(man_path, man_page)) {
    std::fprintf(stderr, "cannot read %s\n", man_path.c_str());
    return 1;
  }
  const std::string markdown = errors_markdown();
  const std::string man = with_errors_man_section(man_page);
  if (mode == "--write") {
    if (!write_file(markdown_path, markdown) || !write_file(man_path, man)) {
      std::fputs("cannot write the pages\n", stderr);
      return 1;
    }
    return 0;
  }
  int differ = 0;
  std::string committed;
  if (!read_file(markdown_path, committed) || committed != markdown) {
    std::fprintf(stderr, "%s differs from the error catalogue\n", markdown_path.c_str());
    differ = 1;
  }
  if (man_page != man) {
    std::fprintf(stderr, "the ERRORS section of %s differs from the error catalogue\n",
                 man_path.c_str());
    differ = 1;
  }
  if (differ) std::fputs("run `make error-pages` and commit the pages\n", stderr);
  return differ;
}
