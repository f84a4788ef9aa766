#include "Screens/Activity/ContentsGravity.h"

#include <algorithm>
#include <utility>

namespace screens {

std::optional<ContentsGravity> contentsGravityNamed(std::string_view name) {
    using G = ContentsGravity;
    static constexpr std::pair<std::string_view, G> names[] = {
        {"center", G::Center},
        {"top", G::Top},
        {"bottom", G::Bottom},
        {"left", G::Left},
        {"right", G::Right},
        {"topLeft", G::TopLeft},
        {"topRight", G::TopRight},
        {"bottomLeft", G::BottomLeft},
        {"bottomRight", G::BottomRight},
        {"resize", G::Resize},
        {"resizeAspect", G::ResizeAspect},
        {"resizeAspectFill", G::ResizeAspectFill},
    };
    for (const auto& [text, gravity] : names)
        if (text == name) return gravity;
    return std::nullopt;
}

QRectF contentsRect(QSizeF picture, QRectF bounds, ContentsGravity gravity) {
    using G = ContentsGravity;
    if (picture.isEmpty() || bounds.isEmpty()) return {};
    QSizeF size = picture;
    switch (gravity) {
        case G::Resize:
            return bounds;
        case G::ResizeAspect:
            size = picture.scaled(bounds.size(), Qt::KeepAspectRatio);
            break;
        case G::ResizeAspectFill:
            size = picture.scaled(bounds.size(), Qt::KeepAspectRatioByExpanding);
            break;
        default:
            break;
    }
    const double left = bounds.left(), right = bounds.right() - size.width();
    const double top = bounds.top(), bottom = bounds.bottom() - size.height();
    const double midX = bounds.center().x() - size.width() / 2,
                 midY = bounds.center().y() - size.height() / 2;
    double x = midX, y = midY;
    switch (gravity) {
        case G::Top:
            y = top;
            break;
        case G::Bottom:
            y = bottom;
            break;
        case G::Left:
            x = left;
            break;
        case G::Right:
            x = right;
            break;
        case G::TopLeft:
            x = left;
            y = top;
            break;
        case G::TopRight:
            x = right;
            y = top;
            break;
        case G::BottomLeft:
            x = left;
            y = bottom;
            break;
        case G::BottomRight:
            x = right;
            y = bottom;
            break;
        default:
            break;
    }
    return QRectF(QPointF(x, y), size);
}

}  // namespace screens
