// How the report and the picture show a name or text of a board: as the UTF-8 characters it
// holds, cut after a fixed number of characters (never inside one). A byte that begins no valid
// UTF-8 sequence counts as one character and is replaced; so is a control character (and the two
// code points U+FFFE and U+FFFF, which no XML file may hold), so that a report line stays one
// plain line and the picture well-formed, whatever bytes a board holds.
#pragma once

#include <string>
#include <string_view>

// A name in a report line: at most `limit` characters, then "..." when it holds more; a byte
// that is not UTF-8 and a control character each as '?'.
std::string report_text(std::string_view text, size_t limit);

// A string drawn in the picture, as XML text or attribute value: at most `limit` characters, the
// markup characters escaped, a byte that is not UTF-8 as U+FFFD and a control character as '?'.
std::string picture_text(std::string_view text, size_t limit);
