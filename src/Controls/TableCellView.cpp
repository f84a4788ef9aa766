#include "Controls/TableCellView.h"

#include "Controls/SystemAppearance.h"
#include "Controls/ViewAccent.h"
#include "Extensions/AppKit/ViewHelpers.h"

namespace controls {

void TableCellView::prepareHover() {
    setWantsLayer(true);
    const auto& appearance = SystemAppearance::instance();
    if (appearance.accentColorsAvailable() && view::colorAccent(*this)) {
        const cg::Color accent = appearance.controlAccentColor();
        if (!view::isClear(rowHover)) rowHover = accent;
        borderHover = accent;
        view::setBorderColor(*this, accent);
    }
    if (layer()->backgroundColor) bgColorBack = *layer()->backgroundColor;
    if (const auto border = view::borderColor(*this)) borderColorBack = *border;
    tracking_ = true;
}

void TableCellView::applyHover(bool hovered) {
    if (hovered) {
        if (!view::isClear(rowHover)) {
            layer()->backgroundColor = rowHover;
            layer()->borderColor = borderHover;
            layerDidChange();
        }
        setCursor(Qt::PointingHandCursor);
        return;
    }
    setCursor(Qt::ArrowCursor);
    layer()->backgroundColor = bgColorBack;
    layer()->borderColor = borderColorBack;
    layerDidChange();
}

void TableCellView::enterEvent(QEnterEvent* event) {
    if (tracking_) applyHover(true);
    (void)event;
}

void TableCellView::leaveEvent(QEvent* event) {
    if (tracking_) applyHover(false);
    (void)event;
}

}  // namespace controls
