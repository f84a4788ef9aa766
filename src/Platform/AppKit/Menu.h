#pragma once
// Menu and MenuItem: a menu whose items carry a tag, an on/off state, a represented object and an
// action (an item without one is disabled, as the platform's auto-enabling does), popped up at a
// point of a view or at the mouse. Main thread only; items are owned by their menu.

#include <QAction>
#include <QMenu>
#include <any>
#include <functional>
#include <string>
#include <vector>

namespace appkit {

class MenuItem : public QAction {
    Q_OBJECT
  public:
    enum class State { Off = 0, On = 1, Mixed = -1 };

    explicit MenuItem(const QString& title, QObject* parent = nullptr);

    // The title as shown: an "&" is a plain character here, never a keyboard mnemonic.
    QString title() const;
    void setTitle(const QString& title);

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    State state() const { return state_; }
    void setState(State state);
    const std::any& representedObject() const { return represented_; }
    void setRepresentedObject(std::any object) { represented_ = std::move(object); }

    void setAction(std::function<void(MenuItem&)> action);
    void clearAction() { setAction({}); }
    bool hasAction() const { return static_cast<bool>(action_); }

  private:
    int tag_ = 0;
    State state_ = State::Off;
    std::any represented_;
    std::function<void(MenuItem&)> action_;
};

class Menu : public QMenu {
    Q_OBJECT
  public:
    explicit Menu(const QString& title = {}, QWidget* parent = nullptr);

    MenuItem* addItem(const QString& title, std::function<void(MenuItem&)> action = {},
                      const QKeySequence& key = {});
    void addSeparator() { QMenu::addSeparator(); }
    std::vector<MenuItem*> items() const;
    MenuItem* itemAtIndex(int index) const;
    MenuItem* itemWithTag(int tag) const;
    int indexOfItem(const QAction* item) const;  // among all entries, separators included; -1 if absent
    void removeAllItems() { clear(); }

    // Pops up with the item at `index` at `point` of `view` (global coordinates when view is null).
    void popUp(int index, QPoint point, QWidget* view);
};

}  // namespace appkit
