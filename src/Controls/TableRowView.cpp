#include "Controls/TableRowView.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <charconv>

#include "Controls/AccentColors.h"
#include "Controls/ButtonBase.h"
#include "Controls/InterfaceStyle.h"
#include "Controls/SystemAppearance.h"
#include "Controls/ViewAccent.h"
#include "Platform/AppKit/LayerPainter.h"

namespace controls {

namespace {

constexpr int kTaggedButton = 8;
constexpr std::size_t kMainListButtonA = 5, kMainListButtonB = 6;

QWidget* subviewAt(QWidget* view, std::size_t index) {
    auto* v = qobject_cast<appkit::View*>(view);
    if (!v) return nullptr;
    const auto subs = v->subviews();
    return index < subs.size() ? subs[index] : nullptr;
}

// The number at the start of an identifier ("0", "12.5 px"), 0 when it starts with none.
double leadingNumber(const QString& identifier) {
    const QByteArray text = identifier.toUtf8();
    const char* begin = text.constData();
    while (begin < text.constData() + text.size() && (*begin == ' ' || *begin == '+')) ++begin;
    double value = 0;
    const auto result = std::from_chars(begin, text.constData() + text.size(), value);
    return result.ec == std::errc() ? value : 0;
}

double drawableRadius(double radius) {
    return std::max(0.0, radius);
}

}  // namespace

TableRowView::TableRowView(QWidget* parent) : appkit::View(parent) {
    updateTrackingRect();
}

void TableRowView::setSelected(bool selected) {
    selected_ = selected;
    if (!selected) setTaggedButtonHidden(true);
    refreshState();
    update();
}

cg::Rect TableRowView::insetRect(const cg::Rect& r) const {
    return cg::Rect(r.origin.x + leftOffset, r.origin.y + bottomOffset,
                    r.size.width - (leftOffset + rightOffset), r.size.height - (bottomOffset + topOffset));
}

std::optional<cg::Color> TableRowView::fillColour() const {
    if (bIsReadOnly || !(isHover || bMouseInside)) return std::nullopt;
    return selected_ ? rowSelection : rowHover;
}

void TableRowView::fillRounded(QPainter& painter, const cg::Rect& r, const cg::Color& colour) {
    const QRectF rect(r.origin.x, r.origin.y, r.size.width, r.size.height);
    painter.fillPath(appkit::LayerPainter::roundedPath(rect, drawableRadius(rowRadius)),
                     appkit::toQColor(colour));
}

void TableRowView::drawSelectionInRect(QPainter& painter, const cg::Rect& rect) {
    if (bIsReadOnly || !bCanDrawSelection) return;
    fillRounded(painter, insetRect(rect), rowSelection);
}

void TableRowView::drawContent(QPainter& painter) {
    const cg::Rect all = bounds();
    if (selected_) drawSelectionInRect(painter, all);
    if (const auto colour = fillColour()) fillRounded(painter, insetRect(all), *colour);
}

void TableRowView::refreshState() {
    if (bIsReadOnly) return;
    const std::vector<QWidget*> subs = subviews();
    objRow =
        subs.empty() ? nullptr : subviewAt(subs.front(), static_cast<std::size_t>(std::max(rowViewID, 0)));
    if (rowViewID < 0) objRow = nullptr;
    const bool hovered = isHover || bMouseInside;
    if (bIsForMainList && objRow) {
        auto* a = qobject_cast<ButtonBase*>(subviewAt(objRow, kMainListButtonA));
        auto* b = qobject_cast<ButtonBase*>(subviewAt(objRow, kMainListButtonB));
        const bool shown = hovered || selected_;
        if (a) a->setHidden(!shown);
        if (b) {
            const bool zero = !b->objectName().isEmpty() && leadingNumber(b->objectName()) == 0;
            b->setHidden(!shown || zero);
        }
    }
    if (const auto colour = fillColour()) {
        if (auto* inner = qobject_cast<appkit::View*>(objRow); inner && inner->layer()) {
            inner->layer()->backgroundColor = *colour;
            inner->layerDidChange();
        }
    }
}

void TableRowView::mouseEntered() {
    if (!bAllowMouseHover) return;
    bMouseInside = true;
    setTaggedButtonHidden(false);
    refreshState();
    if (auto* inner = qobject_cast<appkit::View*>(objRow); inner && inner->layer()) {
        inner->layer()->cornerRadius = drawableRadius(rowRadius);
        inner->layerDidChange();
    }
    applyAccentColors();
    refreshState();
    repaint();
}

void TableRowView::mouseExited() {
    if (!bAllowMouseHover) return;
    bMouseInside = false;
    if (!selected_) setTaggedButtonHidden(true);
    refreshRowLayer(false);
    refreshState();
    repaint();
}

void TableRowView::applyAccentColors() {
    const auto& appearance = SystemAppearance::instance();
    if (!appearance.accentColorsAvailable() || !view::colorAccent(*this)) return;
    const cg::Color accent = appearance.controlAccentColor();
    rowSelection = accent;
    if (view::isClear(rowHover)) return;
    const double shift = interfacestyle::current() == InterfaceStyle::Dark ? -0.3 : 0.4;
    rowHover = accentShifted(accent, shift);
}

void TableRowView::refreshRowLayer(bool hover) {
    auto* inner = qobject_cast<appkit::View*>(objRow);
    if (inner && inner->layer()) {
        inner->layer()->cornerRadius = drawableRadius(rowRadius);
        if (!hover) inner->layer()->backgroundColor = cg::Color::clear();
        inner->layerDidChange();
    }
    if (hover) applyAccentColors();
}

void TableRowView::updateTrackingRect() {
    trackingRectTag.reset();
    tracking_ = bAllowMouseHover;
    if (!bAllowMouseHover) return;
    trackingRectTag = nextTrackingTag_++;
    if (!selected_) setTaggedButtonHidden(true);
    bMouseInside = false;
}

void TableRowView::setTaggedButtonHidden(bool hidden) {
    if (rowId != 1) return;
    if (auto* button = qobject_cast<ButtonBase*>(viewWithTag(kTaggedButton))) button->setHidden(hidden);
}

void TableRowView::enterEvent(QEnterEvent* event) {
    appkit::View::enterEvent(event);
    if (tracking_) mouseEntered();
}

void TableRowView::leaveEvent(QEvent* event) {
    appkit::View::leaveEvent(event);
    if (tracking_) mouseExited();
}

bool TableRowView::event(QEvent* event) {
    const bool handled = appkit::View::event(event);
    if (event->type() == QEvent::ParentChange) updateTrackingRect();
    return handled;
}

TableRowView* makeListRow() {
    auto* row = new TableRowView;
    row->rowSelection = SystemAppearance::instance().controlAccentColor();
    row->rowRadius = 6;
    return row;
}

}  // namespace controls
