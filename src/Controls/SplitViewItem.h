#pragma once
// SplitViewItem: one pane of a split view with the ordering number the scene gives it (nothing
// reads it). Main thread only.

#include <QPointer>
#include <QWidget>
#include <cstdint>

namespace controls {

struct SplitViewItem {
    QPointer<QWidget> view;
    std::int64_t splitViewOrder = 0;
};

}  // namespace controls
