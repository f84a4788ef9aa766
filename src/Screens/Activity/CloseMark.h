#pragma once
// The one close control of the activity screens: a "✕" on a 24-point target, the same wherever an
// activity can be closed from, placed at the screen's top right corner. Main thread only.

#include <QString>

class QWidget;
namespace controls {
class PushButton;
}

namespace screens {

// Side of the close control's target, and its inset from the activity screen's top and right edges.
inline constexpr int kCloseMarkSide = 24;
inline constexpr int kCloseMarkInset = 12;

controls::PushButton* makeCloseMark(const QString& accessibleName, QWidget* parent = nullptr);

}  // namespace screens
