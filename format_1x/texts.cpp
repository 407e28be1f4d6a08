// The [texts] section: the board's free texts, one "text:" record per line.
//
//   text: "<string>" x y layer angle mirror height stroke_width [extra]
//
// x, y, height and stroke width are nanometres; the numbers follow the line's last quote.
#include "format_1x/texts.h"

#include <cstring>

#include "format_1x/sections.h"
#include "io/fatal_error.h"
#include "io/scan.h"

void read_texts(LoadContext& ctx) {
  LineReader& in = ctx.in;
  Board& board = ctx.board;
  find_section_header(in, "[texts]", Err::texts_header_missing);
  const uint32_t count = count_section_records(in, "[texts]", "text:", Err::texts_pass1_eof);
  board.texts.clear();
  for (uint32_t i = 0; i < count; ++i) {
    const char* line = next_record(in, "text:", Err::texts_pass2_eof);
    BoardText& t = board.texts.emplace_back();
    if (extract_quoted(t.text, line) < 0) fatal_error(Err::text_unquoted);
    const int n = scan_values<"%lf %lf %u %u %u %lf %lf %u">(
        after_last_quote(line), &t.x, &t.y, &t.layer, &t.angle, &t.mirror, &t.height,
        &t.stroke_width, &t.extra_value);
    if (n < 7) fatal_error(Err::text_bad);
    if (n == 8) board.options.text_extra_present = 1;
    t.x *= kNmToInch;
    t.y *= kNmToInch;
    t.height *= kNmToInch;
    t.stroke_width *= kNmToInch;
    t.angle = flip_angle(t.angle);
  }
}

void write_texts(Output& out, const Board& board) {
  out.put("\n[texts]\n\n");
  for (const BoardText& t : board.texts) {
    out.print<"text: \"%s\" %d %d %u %u %u %u %u">(
        t.text.c_str(), coord_to_nm(t.x), coord_to_nm(t.y), t.layer, flip_angle(t.angle), t.mirror,
        size_to_nm(t.height), size_to_nm(t.stroke_width));
    if (board.options.text_extra_present) out.print<" %u">(t.extra_value);
    out.put("\n\n");
  }
}
