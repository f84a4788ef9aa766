#pragma once
// The drawn controls of the preset editor, the size picker and the options panes, made in one
// place so their light and dark colours, sizes and hover looks agree: push buttons (one primary
// action per bar), text fields, check boxes, captions and the accent colour. Colours follow the
// interface style at the moment a control is made and the drawn controls restyle themselves live.
// Main thread only.

#include <QLabel>
#include <QString>

#include "Controls/Button.h"
#include "Controls/TextField.h"
#include "Platform/Graphics/Color.h"

namespace setup {

// A check box: a push-on/push-off button drawing an empty or a ticked square before its title.
class CheckBox : public controls::Button {
    Q_OBJECT
  public:
    explicit CheckBox(const QString& title, QWidget* parent = nullptr);
    bool isChecked() const { return state() == StateValue::On; }
    // Sets the state without sending the action.
    void setChecked(bool checked);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void showState();
};

enum class ButtonRole { Primary, Secondary, Plain };

// A push button 30 points high: primary ones are filled with the accent colour and titled in white,
// secondary ones have a bezel and a hover border, plain ones show only a title.
controls::Button* makePushButton(const QString& title, ButtonRole role, QWidget* parent = nullptr);
// An editable field with a hover border and a placeholder.
controls::TextField* makeTextField(const QString& placeholder, QWidget* parent = nullptr);
// Plain text (never rich text) in the given pixel size; `secondary` greys it.
QLabel* makeCaption(const QString& text, int pixelSize, bool bold = false, bool secondary = false,
                    QWidget* parent = nullptr);

// The accent colour of the desktop (the selection background of the format row, say).
cg::Color accentColour();
// The colour of thin separators and card edges in the current style.
cg::Color separatorColour();

}  // namespace setup
