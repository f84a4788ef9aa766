#include "Screens/Setup/PaneControls.h"

#include <QLabel>

#include "Controls/PushButton.h"
#include "Controls/SystemAppearance.h"
#include "Controls/TextField.h"
#include "Controls/ViewAccent.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/Fonts.h"

namespace panes {

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

controls::PushButton* previewButton(std::function<void()> show, QWidget* parent) {
    auto* button =
        new controls::PushButton(QStringLiteral("Preview"), controls::PushButton::Role::Secondary, parent);
    button->setAccessibleDescription(QStringLiteral("Shows the selected images in the preview window"));
    button->setEnabled(false);
    button->setAction([show = std::move(show)](controls::ButtonBase&) {
        if (show) show();
    });
    return button;
}

}  // namespace panes
