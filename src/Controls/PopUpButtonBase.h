#pragma once
// PopUpButtonBase: a button that opens a menu of item titles. A pop-up shows the selected item as
// its title; a pull-down keeps its own title. Choosing an item selects it and sends the action.
// Main thread only.

#include <QStringList>

#include "Controls/ButtonBase.h"

class QMenu;

namespace controls {

class PopUpButtonBase : public ButtonBase {
    Q_OBJECT
  public:
    explicit PopUpButtonBase(QWidget* parent = nullptr, bool pullsDown = false);

    bool pullsDown() const { return pullsDown_; }
    void addItem(const QString& title);
    void addItems(const QStringList& titles);
    void removeAllItems();
    QStringList itemTitles() const { return items_; }
    int numberOfItems() const { return static_cast<int>(items_.size()); }
    int indexOfSelectedItem() const { return selected_; }
    void selectItem(int index);
    QString titleOfSelectedItem() const;
    // What a user's choice does: select and send the action.
    void chooseItem(int index);
    void setItemAction(std::function<void(PopUpButtonBase&)> action) { itemAction_ = std::move(action); }

    QSize sizeHint() const override;

  protected:
    void drawContent(QPainter& painter) override;
    QMenu* buildMenu();

  private:
    bool pullsDown_;
    QStringList items_;
    int selected_ = -1;
    std::function<void(PopUpButtonBase&)> itemAction_;
};

}  // namespace controls
