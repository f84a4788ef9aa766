#include "Controls/TableRowSimple.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

#include "Platform/AppKit/LayerPainter.h"

namespace controls {

void TableRowSimple::setSelected(bool selected) {
    selected_ = selected;
    update();
}

void TableRowSimple::setTargetForDropOperation(bool target) {
    dropTarget_ = target;
    update();
}

cg::Color TableRowSimple::alternateSelectedControlColor() {
    return appkit::fromQColor(QApplication::palette().color(QPalette::Active, QPalette::Highlight));
}

void TableRowSimple::drawContent(QPainter& painter) {
    // Whatever part of the row is being redrawn, the fill always covers the whole row.
    if (selected_) painter.fillRect(rect(), appkit::toQColor(alternateSelectedControlColor()));
    if (dropTarget_) painter.fillRect(rect(), QColor(0, 255, 0));
}

}  // namespace controls
