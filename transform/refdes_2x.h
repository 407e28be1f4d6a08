// Reference designators of a 2.x board into free silkscreen texts (refdes_2x.cpp).
#pragma once

#include "board/model.h"
#include "board/run_flags.h"

// Makes one text for every placed part of the 2.x board, where the part's own reference text
// stands, and hides the part's own text; returns the number of parts converted. The Board's
// texts get the new texts (for the check and arranging) and its source the lines the writer
// will change.
int convert_refdes_2x(Board& board, const RunFlags& flags);
