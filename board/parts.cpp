// Placeholder until the parts section is read: passed over, not written.
#include "board/sections.h"

void read_parts(LoadContext&) {}
void write_parts(Output&, const Board&) {}
