// Turning the whole board over about the Y axis (mirror.cpp).
#pragma once

#include "board/model.h"

// Turns the whole board over about the Y axis.
void mirror_board(Board& board);
