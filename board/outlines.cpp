// Placeholder until the outline sections are read: passed over, not written.
#include "board/sections.h"

void read_board_outlines(LoadContext&) {}
void write_board_outlines(Output&, const Board&) {}
void read_sm_cutouts(LoadContext&) {}
void write_sm_cutouts(Output&, const Board&) {}
