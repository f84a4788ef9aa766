#pragma once
// Telling light colours from dark ones and choosing black or white text over a colour, plus the WCAG
// contrast ratio between two colours. Pure functions, any thread.

#include "Platform/Graphics/Color.h"

namespace colour {

// (299 r + 587 g + 114 b) / 1000 > 0.5.
bool isLight(const cg::Color& c);

// With v = 1 - (0.299 r + 0.587 g + 0.114 b): black when v < 0.4, otherwise white.
cg::Color contrastColor(const cg::Color& c);
// The same choice with the given alpha (NaN gives 1).
cg::Color contrastColor(const cg::Color& c, double alpha);
// Black when v < 0.5, otherwise white.
cg::Color contrastColorAtHalf(const cg::Color& c);

// The light and dark looks of the desktop. Which one is current is the interface's business (the
// controls' InterfaceStyle, read on the main thread); this library only answers for a given one.
enum class Appearance { light, dark };

// The colour of ordinary label text: black at 85 % on light, white at 85 % on dark.
cg::Color labelColor(Appearance appearance);
// The colour for ordinary text in the appearance: its label colour.
cg::Color defaultTextColor(Appearance appearance);

// WCAG 2 relative luminance of the colour's red, green and blue, each taken within 0...1 (alpha ignored).
double relativeLuminance(const cg::Color& c);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black against white; never divides by 0.
double contrastRatio(const cg::Color& first, const cg::Color& second);

}  // namespace colour
