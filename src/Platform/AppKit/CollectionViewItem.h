#pragma once
// An item of a collection view: a controller made by identifier for one visible item, with a
// selection state the item shows. Main thread only.

#include "Platform/AppKit/ViewController.h"

namespace appkit {

class CollectionViewItem : public ViewController {
    Q_OBJECT
  public:
    bool isSelected() const { return selected_; }
    void setSelected(bool selected) {
        if (selected_ == selected) return;
        selected_ = selected;
        selectionDidChange();
    }

  protected:
    virtual void selectionDidChange() {}

  private:
    bool selected_ = false;
};

}  // namespace appkit
