#include "Controls/PopUpButtonBase.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>

#include "Platform/AppKit/LayerPainter.h"

namespace controls {

namespace {
constexpr int kChevronRoom = 18;
}

PopUpButtonBase::PopUpButtonBase(QWidget* parent, bool pullsDown)
    : ButtonBase(parent), pullsDown_(pullsDown) {
    setAction([this](ButtonBase&) {
        QMenu* menu = buildMenu();
        menu->popup(mapToGlobal(QPoint(0, height())));
    });
}

void PopUpButtonBase::addItem(const QString& title) {
    items_.push_back(title);
    if (selected_ < 0 && !pullsDown_) selectItem(0);
}

void PopUpButtonBase::addItems(const QStringList& titles) {
    for (const QString& t : titles) addItem(t);
}

void PopUpButtonBase::removeAllItems() {
    items_.clear();
    selected_ = -1;
    if (!pullsDown_) setTitle({});
}

void PopUpButtonBase::selectItem(int index) {
    if (index < 0 || index >= items_.size()) return;
    selected_ = index;
    if (pullsDown_) return;
    // Keep the title's attributes (its colour) for the new text.
    AttributedTitle title = attributedTitle();
    const TitleAttributes attributes =
        title.runs.empty() ? TitleAttributes{font(), std::nullopt} : title.runs.front().attributes;
    setAttributedTitle({{{items_[index], attributes}}});
}

QString PopUpButtonBase::titleOfSelectedItem() const {
    return selected_ >= 0 ? items_[selected_] : QString();
}

void PopUpButtonBase::chooseItem(int index) {
    selectItem(index);
    if (itemAction_) itemAction_(*this);
}

QMenu* PopUpButtonBase::buildMenu() {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (int i = 0; i < items_.size(); ++i) {
        QAction* action = menu->addAction(items_[i]);
        action->setCheckable(!pullsDown_);
        action->setChecked(i == selected_);
        connect(action, &QAction::triggered, this, [this, i] { chooseItem(i); });
    }
    return menu;
}

QSize PopUpButtonBase::sizeHint() const {
    return ButtonBase::sizeHint() + QSize(kChevronRoom, 0);
}

void PopUpButtonBase::drawContent(QPainter& painter) {
    ButtonBase::drawContent(painter);
    // The chevron in the title's colour, at the right.
    const double cx = width() - kChevronRoom / 2.0 - 2, cy = height() / 2.0;
    QPainterPath chevron;
    chevron.moveTo(cx - 3.5, cy - 1.5);
    chevron.lineTo(cx, cy + 2.5);
    chevron.lineTo(cx + 3.5, cy - 1.5);
    painter.setPen(
        QPen(appkit::toQColor(effectiveTitleColor()), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(chevron);
}

}  // namespace controls
