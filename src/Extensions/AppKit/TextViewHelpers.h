#pragma once
// Helpers on a rich text view: the inset of its text, its typing attributes, the font of its
// selection, and attributes over ranges of its text (ranges as in AttributedText). Main thread
// only.

#include <QColor>
#include <QFont>
#include <QSizeF>
#include <QTextCharFormat>
#include <QTextEdit>

#include "Extensions/AppKit/AttributedText.h"

namespace textview {

// The inset of the text inside the view: width at the left and right, height at the top and bottom.
QSizeF padding(const QTextEdit& view);
void setPadding(QTextEdit& view, QSizeF padding);

// The attributes of typed text become the font alone / the font and colour alone.
void setTypingFont(QTextEdit& view, const QFont& font);
void setTypingFont(QTextEdit& view, const QFont& font, const QColor& color);
// The selection's characters (or, with nothing selected, the current line's) get the font as
// their only attribute, and the selection stays as it was; on an empty line the font becomes the
// typing font instead.
void setSelectionFont(QTextEdit& view, const QFont& font);

void addTextAttributes(QTextEdit& view, const QTextCharFormat& attributes, attributed::Range range);
void applyForegroundColor(QTextEdit& view, const QColor& color, attributed::Range range);

}  // namespace textview
