#include "Screens/Activity/CloseMark.h"

#include "Controls/PushButton.h"

namespace screens {

controls::PushButton* makeCloseMark(const QString& accessibleName, QWidget* parent) {
    const QString mark = QString::fromUtf8("\u2715");
    auto* button = new controls::PushButton(mark, controls::PushButton::Role::Borderless, parent);
    // A mark large enough to find at a glance, on a target the size of the other small controls.
    QFont font = button->font();
    font.setPixelSize(15);
    button->setFont(font);
    button->setText(mark);
    button->setFixedSize(kCloseMarkSide, kCloseMarkSide);
    button->setAccessibleName(accessibleName);
    button->setToolTip(accessibleName);
    return button;
}

}  // namespace screens
