#pragma once
// What the preset editor, the size picker and the options panes share beyond the drawn controls:
// their text fields and captions in one size and weight scale, and the accent and separator colours
// of their rows and cards. Colours follow the interface style at the moment they are asked for.
// Main thread only.

#include <QLabel>
#include <QString>

#include "Controls/TextField.h"
#include "Platform/Graphics/Color.h"

namespace setup {

// The side margin of an options pane's rows and of its footer's button, so that both end on one line.
inline constexpr int kPaneInset = 14;

// An editable field with a hover border and a placeholder.
controls::TextField* makeTextField(const QString& placeholder, QWidget* parent = nullptr);
// Plain text (never rich text) in the given pixel size; `secondary` greys it.
QLabel* makeCaption(const QString& text, int pixelSize, bool bold = false, bool secondary = false,
                    QWidget* parent = nullptr);

// The accent colour of the desktop (the selection background of the format row, say).
cg::Color accentColour();
// The colour of thin separators and card edges in the current style.
cg::Color separatorColour();
// A 1 px line across its parent in the separator colour, as over a pane's fixed footer.
QWidget* makeSeparator(QWidget* parent = nullptr);
// The fixed footer of an options pane: a separator across the pane over `primary`, its one primary
// button, at the right. Every tab's pane ends in one, so the run button keeps one size and place;
// the pane's layout puts it last, with no side or bottom margin of its own.
QWidget* makePaneFooter(QWidget* primary);

}  // namespace setup
