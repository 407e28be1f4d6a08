// The user's page of errors, made from the catalogue (io/error_catalogue.h): docs/errors.md and
// the ERRORS section of the man page docs/silkora.1. silkora_error_pages writes them and checks
// the committed files against them, so the pages cannot drift from the table.
#pragma once

#include <string>

#include "io/error_catalogue.h"

// How the message of `entry` reads on the page: its format with the values shown as "…"
// (a text) or "N" (a number), and the plural ending of "parameter%s" as "(s)".
std::string message_as_shown(const ErrorEntry& entry);

// The whole of docs/errors.md.
std::string errors_markdown();

// The ERRORS section of the man page, from its ".SH ERRORS" line to the line before the next
// section.
std::string errors_man_section();

// `page` (the man page's text) with its ERRORS section replaced by errors_man_section(), or
// placed before the WINDOWS section when it has none.
std::string with_errors_man_section(const std::string& page);
