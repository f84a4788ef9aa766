#include "Controls/TextFieldBackground.h"

#include <QVariant>

namespace textfield {

namespace {
constexpr char kBackgroundStyle[] = "vortaBackgroundStyle";
}

int fontBackground(const QLineEdit& field) {
    return field.property(kBackgroundStyle).toInt();
}

void setFontBackground(QLineEdit& field, int style) {
    field.setProperty(kBackgroundStyle, style);
}

}  // namespace textfield
