#pragma once
// Appearance: the light or dark look of a window or view, given to its widgets as a palette.
// Main thread only.

#include <optional>

class QWidget;
class QPalette;

enum class Appearance { Aqua, VibrantDark, VibrantLight };

// The look a window controller's appearance option asks for: none for -1, dark for 2, 4, 6 and 8,
// light for 3 and 7, the standard light one for any other value.
std::optional<Appearance> appearanceForMode(int mode);

QPalette paletteFor(Appearance appearance);
// Gives the widget and its descendants the appearance's palette and remembers it.
void setAppearance(QWidget& widget, Appearance appearance);
// The appearance set on the widget itself, if any.
std::optional<Appearance> appearanceOf(const QWidget& widget);
