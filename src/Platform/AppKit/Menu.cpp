#include "Platform/AppKit/Menu.h"

namespace appkit {

MenuItem::MenuItem(const QString& title, QObject* parent) : QAction(parent) {
    setTitle(title);
    setEnabled(false);
    connect(this, &QAction::triggered, this, [this] {
        if (action_) {
            auto action = action_;  // the action may replace itself
            action(*this);
        }
    });
}

QString MenuItem::title() const {
    return text().replace("&&", "&");
}

void MenuItem::setTitle(const QString& title) {
    setText(QString(title).replace("&", "&&"));
}

void MenuItem::setState(State state) {
    state_ = state;
    setCheckable(state != State::Off || isCheckable());
    setChecked(state == State::On);
}

void MenuItem::setAction(std::function<void(MenuItem&)> action) {
    action_ = std::move(action);
    setEnabled(static_cast<bool>(action_));
}

Menu::Menu(const QString& title, QWidget* parent) : QMenu(title, parent) {}

MenuItem* Menu::addItem(const QString& title, std::function<void(MenuItem&)> action,
                        const QKeySequence& key) {
    auto* item = new MenuItem(title, this);
    item->setShortcut(key);
    item->setAction(std::move(action));
    addAction(item);
    return item;
}

std::vector<MenuItem*> Menu::items() const {
    std::vector<MenuItem*> items;
    for (QAction* action : actions())
        if (auto* item = qobject_cast<MenuItem*>(action)) items.push_back(item);
    return items;
}

MenuItem* Menu::itemAtIndex(int index) const {
    const auto all = actions();
    if (index < 0 || index >= all.size()) return nullptr;
    return qobject_cast<MenuItem*>(all[index]);
}

MenuItem* Menu::itemWithTag(int tag) const {
    for (MenuItem* item : items())
        if (item->tag() == tag) return item;
    return nullptr;
}

int Menu::indexOfItem(const QAction* item) const {
    return static_cast<int>(actions().indexOf(const_cast<QAction*>(item)));
}

void Menu::popUp(int index, QPoint point, QWidget* view) {
    const QPoint global = view ? view->mapToGlobal(point) : point;
    popup(global, itemAtIndex(index));
}

}  // namespace appkit
