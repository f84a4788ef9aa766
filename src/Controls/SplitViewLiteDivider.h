#pragma once
// SplitViewLiteDivider: a split view whose divider is invisible and has no thickness, so its panes
// touch. Main thread only.

#include <QSplitter>

#include "Platform/Graphics/Color.h"

namespace controls {

class SplitViewLiteDivider : public QSplitter {
    Q_OBJECT
  public:
    explicit SplitViewLiteDivider(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr)
        : QSplitter(orientation, parent) {
        setHandleWidth(0);
    }
    cg::Color dividerColor() const { return cg::Color::clear(); }
    double dividerThickness() const { return 0; }
};

}  // namespace controls
