#include "io/error_pages.h"

#include <string_view>

namespace {

// The reason phrases of a file error, as platform/error_reasons.cpp words them.
constexpr const char* kReasons[][2] = {
    {"no such file or folder", "the file, or a folder on its way, does not exist"},
    {"permission denied", "the file or its folder may not be read or written by you"},
    {"is a folder", "a folder stands where a file was meant"},
    {"disk full", "no room is left on the disk (or in your disk quota)"},
    {"in use by another program", "another program holds the file open or locked"},
    {"name too long", "the name is longer than the system allows"},
    {"read-only file system", "the disk or share cannot be written at all"},
    {"system error N", "any other cause, with the system's own error number"},
};

bool is_letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Escapes a text for a troff line: backslashes, and a '.' or '\'' that would begin a request.
std::string troff(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
  return out;
}

std::string heading_message(const ErrorEntry& e) {
  return "Error " + std::to_string(e.code) + ": " + message_as_shown(e);
}

}  // namespace

std::string message_as_shown(const ErrorEntry& entry) {
  std::string out;
  for (const char* f = entry.format; *f != '\0'; ++f) {
    if (*f != '%') {
      out += *f;
      continue;
    }
    ++f;
    if (*f == '%') {
      out += '%';
      continue;
    }
    while (*f == '-' || *f == '.' || *f == 'l' || *f == 'h' || (*f >= '0' && *f <= '9')) ++f;
    if (*f == '\0') break;
    if (*f == 's') {
      out += !out.empty() && is_letter(out.back()) ? "(s)" : "…";
    } else {
      out += 'N';
    }
  }
  return out;
}

std::string errors_markdown() {
  std::string page =
      "# Silkora errors\n"
      "\n"
      "<!-- Made by silkora_error_pages from io/error_catalogue.h; edit the table there, then "
      "run `make error-pages`. -->\n"
      "\n"
      "Every error ends the run with exit status 1 and one line on standard error,\n"
      "`Error N: message`. The run stops there: files written for earlier boards stay, no\n"
      "partial file is left behind, and an older output file of the board's name stays as it\n"
      "was. In the messages below, `…` stands for a name or a text and `N` for a number, as\n"
      "the program fills them in.\n"
      "\n"
      "An error found while a board is read is followed by the line that names where,\n"
      "`  at line N of \"file\"`: the record named in the error is on that line (or the file\n"
      "ended there). Errors below 10000 concern the command line and are followed by the usage\n"
      "text.\n"
      "\n"
      "An error about a file that cannot be read or written (13188, 20043, 40043) is followed\n"
      "by the system's reason, `  reason: <phrase>`, the same on Linux and Windows:\n"
      "\n"
      "| reason | meaning |\n"
      "|---|---|\n";
  for (const auto& r : kReasons) page += std::string("| `") + r[0] + "` | " + r[1] + " |\n";
  page +=
      "\n"
      "Most errors in a board's records mean that the file was changed outside the editor or\n"
      "was damaged: the editor always writes its records whole. Saving the board again in the\n"
      "editor writes every record anew; a file that was cut short has to be taken again.\n";
  for (const ErrorEntry& e : kErrorCatalogue) {
    const std::string code = std::to_string(e.code);
    if (e.code == 0) {
      page.append("\n## Help (-H, -?)\n\nNo message: the usage text.\n");
    } else {
      page.append("\n## Error ").append(code).append("\n\n`");
      page.append(heading_message(e)).append("`\n");
    }
    page.append("\n**Cause:** ").append(e.cause).append("\n");
    page.append("\n**What to do:** ").append(e.remedy).append("\n");
  }
  return page;
}

std::string errors_man_section() {
  std::string s =
      ".SH ERRORS\n"
      ".\\\" Made by silkora_error_pages from io/error_catalogue.h; run make error-pages.\n"
      "Every error ends the run with exit status 1. In the messages, ... stands for a name or a "
      "text and N for a number. An error about a file that cannot be read or written "
      "is followed by the line \\(lq  reason: \\fIphrase\\fR\\(rq, the same on every system:\n";
  for (const auto& r : kReasons) {
    s += ".TP\n.B " + troff(r[0]) + "\n" + troff(r[1]) + ".\n";
  }
  s += ".PP\nThe errors, by number:\n";
  for (const ErrorEntry& e : kErrorCatalogue) {
    if (e.code == 0) continue;  // the help switch: no error, described under OPTIONS
    std::string shown = message_as_shown(e);
    std::string plain;  // the man page is ASCII: "…" as "..."
    for (size_t i = 0; i < shown.size(); ++i) {
      if (shown.compare(i, 3, "…") == 0) {
        plain += "...";
        i += 2;
      } else {
        plain += shown[i];
      }
    }
    s += ".TP\n\\fBError " + std::to_string(e.code) + ":\\fR " + troff(plain) + "\n";
    s += troff(e.cause) + "\n";
    s += ".br\n\\fIWhat to do:\\fR " + troff(e.remedy) + "\n";
  }
  return s;
}

std::string with_errors_man_section(const std::string& page) {
  const std::string section = errors_man_section();
  const size_t start = page.find("\n.SH ERRORS\n");
  if (start != std::string::npos) {
    size_t end = page.find("\n.SH ", start + 1);
    end = end == std::string::npos ? page.size() : end + 1;
    return page.substr(0, start + 1) + section + page.substr(end);
  }
  const size_t windows = page.find("\n.SH WINDOWS\n");
  const size_t at = windows == std::string::npos ? page.size() : windows + 1;
  return page.substr(0, at) + section + page.substr(at);
}
