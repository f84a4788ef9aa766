#pragma once
// The drawn controls the option panes of the tabs are built from: one primary action button in the
// accent colour, bordered secondary buttons, option text fields and plain-text labels. Their light
// and dark colours come from the controls themselves and the window palette, so the panes follow
// the desktop's style without colours of their own. Main thread only.

#include <QString>

class QLabel;
class QWidget;

namespace controls {
class Button;
class TextField;
}  // namespace controls

namespace panes {

// The pane's one primary action: accent background, white title, hand cursor.
controls::Button* primaryButton(const QString& title, QWidget* parent = nullptr);
// A bordered button whose border and title take the accent colour under the pointer.
controls::Button* secondaryButton(const QString& title, QWidget* parent = nullptr);
// An editable option field with a placeholder and a border that shows while it is hovered or edited.
controls::TextField* optionField(const QString& placeholder, QWidget* parent = nullptr);
// A label that shows its text as typed (never as rich text), `pixelSize` high, bold when asked.
QLabel* plainLabel(const QString& text, int pixelSize, bool bold = false, QWidget* parent = nullptr);
// A smaller label in the palette's secondary text colour.
QLabel* captionLabel(const QString& text, QWidget* parent = nullptr);

}  // namespace panes
