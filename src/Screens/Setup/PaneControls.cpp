#include "Screens/Setup/PaneControls.h"

#include <QLabel>

#include "Controls/Button.h"
#include "Controls/ButtonTextColor.h"
#include "Controls/SystemAppearance.h"
#include "Controls/TextField.h"
#include "Controls/ViewAccent.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/Fonts.h"

namespace panes {
namespace {

constexpr int kButtonHeight = 30;
constexpr double kCornerRadius = 6;

controls::Button* drawnButton(const QString& title, QWidget* parent) {
    auto* button = new controls::Button(parent);
    button->setTitle(title);
    button->setAccessibleName(title);
    button->setFixedHeight(kButtonHeight);
    button->setMinimumWidth(std::max(96, button->sizeHint().width() + 24));
    button->setCursor(Qt::PointingHandCursor);
    view::setCornerRadius(*button, kCornerRadius);
    return button;
}

}  // namespace

controls::Button* primaryButton(const QString& title, QWidget* parent) {
    auto* button = drawnButton(title, parent);
    const cg::Color accent = controls::SystemAppearance::instance().controlAccentColor();
    view::setBackground(*button, accent);
    button->setBgForced(accent);
    button->setBgHover(controls::accentShifted(accent, -0.08));
    button->setFontHover(cg::Color::whiteColor());
    button->setBordered(false);
    button::setTextColor(*button, cg::Color::whiteColor());
    button->awakeFromNib();
    return button;
}

controls::Button* secondaryButton(const QString& title, QWidget* parent) {
    auto* button = drawnButton(title, parent);
    view::setBorderWidth(*button, 1);
    view::setBorderColor(*button, cg::Color{0.6, 0.6, 0.64, 1});
    button->awakeFromNib();
    return button;
}

controls::TextField* optionField(const QString& placeholder, QWidget* parent) {
    auto* field = new controls::TextField(parent);
    field->setPlaceholderText(placeholder);
    field->setAccessibleName(placeholder);
    field->setFixedHeight(28);
    field->setBorderWidth(1);
    field->setBorderHover(controls::SystemAppearance::instance().controlAccentColor());
    field->awakeFromNib();
    return field;
}

QLabel* plainLabel(const QString& text, int pixelSize, bool bold, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(bold ? appkit::boldSystemFont(pixelSize) : appkit::systemFont(pixelSize));
    return label;
}

QLabel* captionLabel(const QString& text, QWidget* parent) {
    auto* label = plainLabel(text, 12, false, parent);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

}  // namespace panes
