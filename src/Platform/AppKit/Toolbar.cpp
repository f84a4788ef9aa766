#include "Platform/AppKit/Toolbar.h"

#include <QHBoxLayout>
#include <algorithm>

namespace appkit {

Toolbar::Toolbar(ItemFactory factory, QWidget* parent)
    : QWidget(parent), factory_(std::move(factory)), layout_(new QHBoxLayout(this)) {
    layout_->setContentsMargins(12, 6, 12, 6);
    layout_->setSpacing(8);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

int Toolbar::indexOfItem(const std::string& identifier) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].itemIdentifier == identifier) return static_cast<int>(i);
    return -1;
}

void Toolbar::insertItem(const std::string& identifier, std::size_t index) {
    index = std::min(index, items_.size());
    QWidget* view = identifier == flexibleSpace || !factory_ ? nullptr : factory_(identifier);
    const int at = static_cast<int>(index);
    if (view) {
        layout_->insertWidget(at, view, 0, Qt::AlignVCenter);
        view->show();
    } else {
        layout_->insertStretch(at, 1);
    }
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), ToolbarItem{identifier, view});
}

void Toolbar::removeItem(std::size_t index) {
    if (index >= items_.size()) return;
    const ToolbarItem item = items_[index];
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    delete layout_->takeAt(static_cast<int>(index));
    if (item.view) {
        item.view->hide();
        item.view->setParent(nullptr);
        item.view->deleteLater();
    }
}

}  // namespace appkit
