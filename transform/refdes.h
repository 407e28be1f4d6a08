// Reference designators into free silkscreen texts (refdes.cpp).
#pragma once

#include "board/model.h"
#include "board/run_flags.h"

// Turns every part's reference designator into a free text where the part's own reference text
// stood and hides the part's own text; returns the number of parts converted.
int convert_refdes(Board& board, const RunFlags& flags);
