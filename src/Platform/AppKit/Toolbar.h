#pragma once
// Toolbar: the row of items along the top of a window, each with an identifier and a view (none
// for a flexible space). Items are made by identifier through the factory the window's controller
// supplies, so an item removed can be inserted again. Main thread only.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QHBoxLayout;

namespace appkit {

struct ToolbarItem {
    std::string itemIdentifier;
    QPointer<QWidget> view;  // null for a flexible space
};

class Toolbar : public QWidget {
    Q_OBJECT
  public:
    static constexpr char flexibleSpace[] = "NSToolbarFlexibleSpaceItem";
    // Makes the view of the item with the identifier (parented by the toolbar afterwards), or
    // nullptr for an item that only takes room.
    using ItemFactory = std::function<QWidget*(const std::string& identifier)>;

    explicit Toolbar(ItemFactory factory, QWidget* parent = nullptr);

    const std::vector<ToolbarItem>& items() const { return items_; }
    // The position of the first item with the identifier, or -1.
    int indexOfItem(const std::string& identifier) const;
    // Index past the end appends.
    void insertItem(const std::string& identifier, std::size_t index);
    // The item's view leaves the toolbar and is deleted once control returns to the event loop.
    void removeItem(std::size_t index);

  private:
    ItemFactory factory_;
    QHBoxLayout* layout_;
    std::vector<ToolbarItem> items_;
};

}  // namespace appkit
