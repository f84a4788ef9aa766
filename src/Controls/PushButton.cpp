#include "Controls/PushButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QKeyEvent>
#include <algorithm>

#include "Controls/SystemAppearance.h"
#include "Controls/ViewAccent.h"
#include "Extensions/AppKit/ViewHelpers.h"

namespace controls {

namespace {

cg::Color mixed(const cg::Color& a, const cg::Color& b, double t) {
    return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t, a.blue + (b.blue - a.blue) * t,
            a.alpha + (b.alpha - a.alpha) * t};
}

int barHeight(PushButton::Role role) {
    switch (role) {
        case PushButton::Role::Primary:
        case PushButton::Role::Secondary:
        case PushButton::Role::Segment:
            return 30;
        case PushButton::Role::Borderless:
            return 26;
        case PushButton::Role::Dot:
            return 12;
        case PushButton::Role::Icon:
            return 24;
    }
    return 30;
}

// What a screen reader is told of a drawn button: a push button (a toggle button when checkable)
// with its title or accessible name, which "press" clicks.
class PushButtonAccessible final : public QAccessibleWidget {
  public:
    explicit PushButtonAccessible(PushButton* button)
        : QAccessibleWidget(button, button->isCheckable() ? QAccessible::CheckBox : QAccessible::Button) {}

    QAccessible::Role role() const override {
        return button()->isCheckable() ? QAccessible::CheckBox : QAccessible::Button;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return button()->accessibleName().isEmpty() ? button()->text() : button()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (button()->isCheckable()) {
            s.checkable = true;
            s.checked = button()->isChecked();
        }
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && button()->isEnabled()) button()->click();
    }

  private:
    PushButton* button() const { return static_cast<PushButton*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String("controls::PushButton") && object && object->isWidgetType())
        return new PushButtonAccessible(static_cast<PushButton*>(object));
    return nullptr;
}

}  // namespace

PushButton::PushButton(const QString& text, Role role, QWidget* parent) : Button(parent), role_(role) {
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    (void)accessible;
    setFocusPolicy(Qt::StrongFocus);
    // A button keeps its own height in any layout; a page dot keeps its width too.
    setSizePolicy(role == Role::Dot ? QSizePolicy::Fixed : QSizePolicy::Minimum, QSizePolicy::Fixed);
    setAccessibleName(text);
    setAction([this](ButtonBase&) {
        restyle();
        Q_EMIT clicked();
        if (isCheckable()) Q_EMIT toggled(isChecked());
    });
    awakeFromNib();
    setRole(role);
    setText(text);
}

void PushButton::setRole(Role role) {
    role_ = role;
    QFont f = font();
    f.setPixelSize(role == Role::Icon ? 17 : 13);
    f.setWeight(role == Role::Primary || role == Role::Icon ? QFont::DemiBold : QFont::Normal);
    setFont(f);
    setText(text());
    restyle();
    updateGeometry();
}

void PushButton::setText(const QString& text) {
    // Rebuilt in the current font, so a role change never leaves the title in an old one.
    setTitle(text);
    if (accessibleName().isEmpty() || role_ != Role::Dot) setAccessibleName(text);
    restyle();
}

void PushButton::setCheckable(bool checkable) {
    setButtonType(checkable ? ButtonType::PushOnPushOff : ButtonType::MomentaryPushIn);
    setMomentaryChange(!checkable);
}

void PushButton::setChecked(bool checked) {
    if (checked == isChecked()) return;
    setState(checked ? StateValue::On : StateValue::Off);
    restyle();
}

PushButton::Look PushButton::lookFor(Role role, bool checked, InterfaceStyle style) {
    const bool dark = style == InterfaceStyle::Dark;
    const cg::Color accent = SystemAppearance::instance().controlAccentColor();
    const cg::Color label = SystemAppearance::labelColor(style);
    const cg::Color white = cg::Color::whiteColor(), clear = cg::Color::clear();
    switch (role) {
        case Role::Primary:
            return {accent, mixed(accent, white, 0.15), clear, clear, white, white};
        case Role::Secondary: {
            const cg::Color face = dark ? cg::Color{0.29, 0.29, 0.31, 1} : cg::Color{1, 1, 1, 1};
            const cg::Color hover = dark ? cg::Color{0.35, 0.35, 0.38, 1} : cg::Color{0.94, 0.95, 0.97, 1};
            const cg::Color border = dark ? cg::Color{0.42, 0.42, 0.45, 1} : cg::Color{0.78, 0.78, 0.8, 1};
            if (checked) return {accent, mixed(accent, white, 0.15), accent, accent, white, white};
            return {face, hover, border, accent, label, label};
        }
        case Role::Borderless: {
            // The accent of the dark style is lifted a little so the title stays readable on dark grey.
            const cg::Color title = dark ? mixed(accent, white, 0.3) : accent;
            const cg::Color tint = dark ? cg::Color{1, 1, 1, 0.08} : cg::Color{0, 0, 0, 0.05};
            return {clear, tint, clear, clear, title, title};
        }
        case Role::Segment: {
            // The row draws the chosen segment's accent face itself, so it can slide between segments.
            const cg::Color tint = dark ? cg::Color{1, 1, 1, 0.08} : cg::Color{0, 0, 0, 0.05};
            if (checked) return {clear, clear, clear, clear, white, white};
            return {clear, tint, clear, clear, label, label};
        }
        case Role::Icon: {
            const cg::Color tint = dark ? cg::Color{1, 1, 1, 0.1} : cg::Color{0, 0, 0, 0.06};
            const cg::Color grey = dark ? cg::Color{0.62, 0.62, 0.65, 1} : cg::Color{0.45, 0.45, 0.48, 1};
            return {clear, tint, clear, clear, grey, label};
        }
        case Role::Dot: {
            const cg::Color rest = dark ? cg::Color{1, 1, 1, 0.3} : cg::Color{0, 0, 0, 0.22};
            if (checked) return {accent, accent, clear, clear, clear, clear};
            return {rest, mixed(rest, accent, 0.5), clear, clear, clear, clear};
        }
    }
    return {};
}

void PushButton::restyle() {
    const Look look = lookFor(role_, isChecked(), interfacestyle::current());
    colours_.bgColorBack = look.face;
    colours_.bgHover = look.faceHover;
    colours_.borderColorBack = look.border;
    colours_.borderHover = view::isClear(look.borderHover) ? look.border : look.borderHover;
    colours_.fontColor = look.title;
    colours_.fontHover = look.titleHover;
    // Keyboard focus shows as an accent border, on every role but the dot.
    const bool focusRing = hasFocus() && keyboardFocus_ && role_ != Role::Dot;
    if (focusRing)
        colours_.borderColorBack = colours_.borderHover =
            role_ == Role::Primary ? look.title : look.borderHover;
    if (appkit::Layer* l = layer()) {
        l->cornerRadius = role_ == Role::Dot ? barHeight(role_) / 2.0 : 6;
        l->borderWidth = focusRing ? 2 : view::isClear(look.border) ? 0 : 1;
    }
    // The checked state shows its own colours at rest, so the momentary rule must not keep hover ones.
    if (!isEnabled()) {
        showRestingLook(*this, colours_, iconTemplate(), true);
        setAlphaValue(0.45);
        return;
    }
    setAlphaValue(1);
    if (isMouseInside())
        showHoverLook(*this, colours_, iconTemplate());
    else
        showRestingLook(*this, colours_, iconTemplate(), true);
}

QSize PushButton::sizeHint() const {
    const int h = barHeight(role_);
    if (role_ == Role::Dot) return {h, h};
    const QSize base = ButtonBase::sizeHint();
    const int padding = role_ == Role::Icon                                   ? 4
                        : role_ == Role::Borderless || role_ == Role::Segment ? 10
                                                                              : 18;
    return {std::max(base.width() - 16 + 2 * padding, role_ == Role::Primary ? 96 : h), h};
}

void PushButton::interfaceStyleDidChange() {
    restyle();
    update();
}

void PushButton::changeEvent(QEvent* event) {
    Button::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) restyle();
}

void PushButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            click();
            return;
        default:
            Button::keyPressEvent(event);
    }
}

void PushButton::focusInEvent(QFocusEvent* event) {
    Button::focusInEvent(event);
    keyboardFocus_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
                     event->reason() == Qt::ShortcutFocusReason;
    restyle();
}

void PushButton::focusOutEvent(QFocusEvent* event) {
    Button::focusOutEvent(event);
    restyle();
}

}  // namespace controls
