#pragma once
// Toolbar: a row of items, each with an identifier and a view. Items are inserted by identifier
// (made by the toolbar's item factory) and removed by index. Main thread only; the toolbar owns the
// item views.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QHBoxLayout;

namespace appkit {

struct ToolbarItem {
    std::string itemIdentifier;
    QWidget* view = nullptr;
};

class Toolbar : public QWidget {
    Q_OBJECT
  public:
    explicit Toolbar(QWidget* parent = nullptr);

    // Makes the view of a new item for an identifier (nullptr: no such item).
    void setItemFactory(std::function<QWidget*(const std::string& identifier)> factory) {
        factory_ = std::move(factory);
    }
    const std::vector<ToolbarItem>& items() const { return items_; }
    // The index of the first item with the identifier, or -1.
    int indexOfItem(const std::string& identifier) const;
    // Inserts a new item made by the factory; false when the factory makes none.
    bool insertItem(const std::string& identifier, int index);
    void removeItem(int index);

  private:
    QHBoxLayout* row_;
    std::function<QWidget*(const std::string&)> factory_;
    std::vector<ToolbarItem> items_;
};

}  // namespace appkit
