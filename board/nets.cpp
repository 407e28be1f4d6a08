// Placeholder until the nets section is read: passed over, not written.
#include "board/sections.h"

void read_nets(LoadContext&) {}
void write_nets(Output&, const Board&) {}
