#pragma once
// Plain text made attributed (bold, underlined, struck through, coloured) and text put on the
// clipboard. Main thread only.

#include <QColor>
#include <string_view>

#include "Extensions/AppKit/AttributedText.h"

namespace str {

// The bold system font at the system font size (13 points).
attributed::AttributedText bold(std::string_view s);
attributed::AttributedText underlined(std::string_view s);
attributed::AttributedText struckThrough(std::string_view s);
attributed::AttributedText colored(std::string_view s, const QColor& with);
// Replaces the clipboard's contents with the text.
void copyToPasteboard(std::string_view s);

}  // namespace str
