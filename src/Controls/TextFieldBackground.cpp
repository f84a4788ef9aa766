#include "Controls/TextFieldBackground.h"

#include <QColor>
#include <QPalette>
#include <QVariant>

#include "Controls/BackgroundStyleText.h"

namespace textfield {

namespace {
constexpr char kBackgroundStyle[] = "vortaBackgroundStyle";
constexpr char kNormalText[] = "vortaNormalTextColor";
}  // namespace

int fontBackground(const QLineEdit& field) {
    return field.property(kBackgroundStyle).toInt();
}

void setFontBackground(QLineEdit& field, int style) {
    field.setProperty(kBackgroundStyle, style);
    QPalette palette = field.palette();
    const QColor text = field.palette().color(QPalette::Text);
    // An emphasized field reads light, as on a selected row; the text colour comes back otherwise.
    if (style == 1) {
        if (!field.property(kNormalText).isValid()) field.setProperty(kNormalText, text);
        palette.setColor(QPalette::Text, QColor(255, 255, 255, text.alpha()));
    } else if (field.property(kNormalText).isValid()) {
        palette.setColor(QPalette::Text, field.property(kNormalText).value<QColor>());
        field.setProperty(kNormalText, QVariant());
    }
    field.setPalette(palette);
    controls::applyBackgroundStyle(field, style);
}

}  // namespace textfield
