// Placeholder until the footprint section is read: passed over, not written.
#include "board/sections.h"

void read_footprints(LoadContext&) {}
void write_footprints(Output&, const Board&) {}
