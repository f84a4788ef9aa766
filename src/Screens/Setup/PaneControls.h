#pragma once
// The option text fields and plain-text labels the option panes of the tabs are built from (their
// buttons are controls::PushButton). Their light and dark colours come from the controls themselves
// and the window palette, so the panes follow the desktop's style. Main thread only.

#include <QString>
#include <functional>

class QLabel;
class QWidget;

namespace controls {
class PushButton;
class TextField;
}  // namespace controls

namespace panes {

// An editable option field with a placeholder and a border that shows while it is hovered or edited.
controls::TextField* optionField(const QString& placeholder, QWidget* parent = nullptr);
// A label that shows its text as typed (never as rich text), `pixelSize` high, bold when asked.
QLabel* plainLabel(const QString& text, int pixelSize, bool bold = false, QWidget* parent = nullptr);
// A smaller label in the palette's secondary text colour.
QLabel* captionLabel(const QString& text, QWidget* parent = nullptr);
// An image list pane's Preview button: `show` opens the preview of the selected images. Disabled
// until the list has a selection (the list enables it).
controls::PushButton* previewButton(std::function<void()> show, QWidget* parent = nullptr);

}  // namespace panes
