// The readers and writers of the board file's sections, one pair per section. The load and
// write frames run them in a fixed order.
#pragma once

#include <string>

#include "io/line_reader.h"
#include "board/model.h"
#include "io/output.h"

// What every section reader works on while a file is loaded.
struct LoadContext {
  LineReader& in;
  Board& board;
  const std::string& file_name;  // the board file's name as opened, for messages
  int debug_mode;
};

void read_options(LoadContext& ctx);
void write_options(Output& out, const Board& board);

void read_footprints(LoadContext& ctx);
void write_footprints(Output& out, const Board& board);

void read_board_outlines(LoadContext& ctx);
void write_board_outlines(Output& out, const Board& board);

void read_sm_cutouts(LoadContext& ctx);
void write_sm_cutouts(Output& out, const Board& board);

void read_parts(LoadContext& ctx);
void write_parts(Output& out, const Board& board);

void read_nets(LoadContext& ctx);
void write_nets(Output& out, const Board& board);

void read_texts(LoadContext& ctx);
void write_texts(Output& out, const Board& board);

// The shared shape of a section reader.
//
// Rewinds to the top and reads up to the line that begins (after blanks and tabs) with
// `header`; at the end of the text first, fatal `code` with `message`.
void find_section_header(LineReader& in, const char* header, int code, const char* message);

// From the current place, counts the lines that begin with `keyword` up to the first line that
// begins with another section header. At the end of the text first: fatal `code` with
// `message`, or, when `code` is 0, the count so far. The place and the line counter are
// restored afterwards.
uint32_t count_section_records(LineReader& in, const char* own_header, const char* keyword,
                               int code, const char* message);

// The second pass's step to the next record: reads lines until one begins, after blanks and
// tabs, with `keyword`, and returns it from there; lines in between are passed over. At the end
// of the text: fatal `code` with `message`.
const char* next_record(LineReader& in, const char* keyword, int code, const char* message);
