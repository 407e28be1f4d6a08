// How wide a text is drawn (text_width.cpp).
#pragma once

#include <string>

// The width of `text` in units of its character height.
double text_width_estimate(const std::string& text);
