#pragma once
// How a picture sits in a view's bounds, named as layer contents gravities are ("resizeAspectFill",
// "center", "topLeft", ...), and where that puts it. Pure; any thread.

#include <QRectF>
#include <QSizeF>
#include <optional>
#include <string_view>

namespace screens {

enum class ContentsGravity {
    Center,
    Top,
    Bottom,
    Left,
    Right,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
    Resize,
    ResizeAspect,
    ResizeAspectFill
};

// The gravity of a layer gravity name; absent for any other text.
std::optional<ContentsGravity> contentsGravityNamed(std::string_view name);

// Where a picture of `picture` size is drawn in `bounds` (y down) under `gravity`; the part outside
// the bounds is clipped by the caller. Empty for an empty picture or bounds.
QRectF contentsRect(QSizeF picture, QRectF bounds, ContentsGravity gravity);

}  // namespace screens
