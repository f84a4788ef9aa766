#include "Screens/Setup/SetupControls.h"

#include <QPainter>

#include "Controls/ButtonTextColor.h"
#include "Controls/InterfaceStyle.h"
#include "Controls/SystemAppearance.h"
#include "Controls/ViewAccent.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/LayerPainter.h"

namespace setup {

namespace {

bool darkStyle() {
    return controls::interfacestyle::current() == controls::InterfaceStyle::Dark;
}

QImage checkImage(bool ticked) {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor accent = appkit::toQColor(accentColour());
    if (ticked) {
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawRoundedRect(QRectF(1, 1, 14, 14), 3.5, 3.5);
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(4.5, 8.2), QPointF(7, 10.8), QPointF(11.5, 5.2)}));
    } else {
        p.setPen(QPen(darkStyle() ? QColor(150, 150, 156) : QColor(140, 140, 146), 1.2));
        p.setBrush(darkStyle() ? QColor(44, 44, 46) : Qt::white);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3.5, 3.5);
    }
    return image;
}

}  // namespace

cg::Color accentColour() {
    return controls::SystemAppearance::instance().controlAccentColor();
}

cg::Color separatorColour() {
    return darkStyle() ? cg::Color{1, 1, 1, 0.14} : cg::Color{0, 0, 0, 0.12};
}

controls::Button* makePushButton(const QString& title, ButtonRole role, QWidget* parent) {
    auto* button = new controls::Button(parent);
    button->setTitle(title);
    QFont font = button->font();
    font.setPixelSize(13);
    font.setBold(role == ButtonRole::Primary);
    button->setFont(font);
    button->setTitle(title);
    button->setMinimumSize(std::max(84, button->sizeHint().width() + 24), 30);
    button->setMaximumHeight(30);
    button->setCursor(Qt::PointingHandCursor);
    button->setAccessibleName(title);
    view::setCornerRadius(*button, 6);
    switch (role) {
        case ButtonRole::Primary:
            view::setBackground(*button, accentColour());
            button->setBgForced(accentColour());
            button->setAlphaHover(0.85);
            button::setTextColor(*button, cg::Color::whiteColor());
            break;
        case ButtonRole::Secondary:
            view::setBorderWidth(*button, 1);
            view::setBorderColor(*button, separatorColour().withAlpha(0.25));
            button->setBorderHover(accentColour());
            break;
        case ButtonRole::Plain:
            button->setBordered(false);
            // An explicit colour: screens read it back to restore a title they recoloured.
            button::setTextColor(*button,
                                 controls::SystemAppearance::labelColor(controls::interfacestyle::current()));
            break;
    }
    button->awakeFromNib();
    return button;
}

CheckBox::CheckBox(const QString& title, QWidget* parent) : controls::Button(parent) {
    setBordered(false);
    setButtonType(ButtonType::PushOnPushOff);
    QFont f = font();
    f.setPixelSize(13);
    setFont(f);
    setTitle(title);
    showState();
    setFixedHeight(24);
    setMinimumWidth(sizeHint().width() + 8);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(title);
    awakeFromNib();
}

void CheckBox::setChecked(bool checked) {
    setState(checked ? StateValue::On : StateValue::Off);
    showState();
}

void CheckBox::mouseReleaseEvent(QMouseEvent* event) {
    controls::Button::mouseReleaseEvent(event);
    showState();
}

void CheckBox::showState() {
    setImage(controls::ButtonImage::make(checkImage(isChecked())));
}

controls::TextField* makeTextField(const QString& placeholder, QWidget* parent) {
    auto* field = new controls::TextField(parent);
    field->setPlaceholderText(placeholder);
    QFont font = field->font();
    font.setPixelSize(13);
    field->setFont(font);
    field->setFixedHeight(28);
    field->setBorderColor(separatorColour().withAlpha(darkStyle() ? 0.3 : 0.2));
    field->setBorderWidth(1);
    field->setBorderHover(accentColour());
    field->setAccessibleName(placeholder);
    field->awakeFromNib();
    return field;
}

QLabel* makeCaption(const QString& text, int pixelSize, bool bold, bool secondary, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    if (secondary) label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

}  // namespace setup
