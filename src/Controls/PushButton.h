#pragma once
// PushButton: the drawn button every screen uses for its commands. Its role sets its whole look, for
// the light and the dark style alike: the bar's one primary action (accent fill, white title), a
// secondary action (bordered face), a borderless action (accent title), a segment of a choice row
// (label title, white while chosen over the row's sliding accent face) and a round page dot. It
// carries the small surface the screens need of a push button (text, clicked, checkable) and follows
// the desktop's style live. Main thread only.

#include <QString>

#include "Controls/Button.h"

namespace controls {

class PushButton : public Button {
    Q_OBJECT
  public:
    // Icon: a glyph alone ("…", say), grey at rest and in the text colour under the pointer.
    enum class Role { Primary, Secondary, Borderless, Segment, Dot, Icon };

    explicit PushButton(const QString& text = {}, Role role = Role::Secondary, QWidget* parent = nullptr);

    Role role() const { return role_; }
    void setRole(Role role);
    QString text() const { return title(); }
    void setText(const QString& text);
    // Sends `clicked` (and `toggled` when checkable), as a user's click would.
    void click() { performClick(); }

    bool isCheckable() const { return buttonType() != ButtonType::MomentaryPushIn; }
    void setCheckable(bool checkable);
    bool isChecked() const { return state() == StateValue::On; }
    void setChecked(bool checked);

    // The resting face, border and title colours of a role in a style, with the hover face; the one
    // place these colours are decided.
    struct Look {
        cg::Color face, faceHover, border, borderHover, title, titleHover;
    };
    static Look lookFor(Role role, bool checked, InterfaceStyle style);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  Q_SIGNALS:
    void clicked();
    void toggled(bool checked);

  protected:
    void interfaceStyleDidChange() override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void restyle();

    Role role_;
    // The focus ring shows only for focus a key brought (Tab, a shortcut), not for the window's first focus.
    bool keyboardFocus_ = false;
};

}  // namespace controls
