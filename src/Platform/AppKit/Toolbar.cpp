#include "Platform/AppKit/Toolbar.h"

#include <QHBoxLayout>
#include <algorithm>

namespace appkit {

Toolbar::Toolbar(QWidget* parent) : QWidget(parent), row_(new QHBoxLayout(this)) {
    row_->setContentsMargins(8, 4, 8, 4);
}

int Toolbar::indexOfItem(const std::string& identifier) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].itemIdentifier == identifier) return static_cast<int>(i);
    return -1;
}

bool Toolbar::insertItem(const std::string& identifier, int index) {
    QWidget* view = factory_ ? factory_(identifier) : nullptr;
    if (!view) return false;
    const int at = std::clamp(index, 0, static_cast<int>(items_.size()));
    items_.insert(items_.begin() + at, ToolbarItem{identifier, view});
    row_->insertWidget(at, view);
    view->show();
    return true;
}

void Toolbar::removeItem(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    QWidget* view = items_[static_cast<std::size_t>(index)].view;
    items_.erase(items_.begin() + index);
    row_->removeWidget(view);
    view->deleteLater();
}

}  // namespace appkit
