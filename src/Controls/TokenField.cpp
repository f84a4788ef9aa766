#include "Controls/TokenField.h"

#include <QMouseEvent>

namespace controls {

std::optional<int> TokenField::tokenCountBeforeCaret() const {
    if (!isEditing()) return std::nullopt;
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    return static_cast<int>(text().left(caret).count(QChar(tokenCharacter)));
}

std::pair<int, bool> TokenField::selectionInfo() const {
    if (!isEditing() || !hasSelectedText()) return {0, false};
    return {selectionStart(), true};
}

void TokenField::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) performClick();
}

}  // namespace controls
