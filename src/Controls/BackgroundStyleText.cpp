#include "Controls/BackgroundStyleText.h"

#include <QWidget>

#include "Controls/TextFieldEffect.h"
#include "Platform/AppKit/LayerPainter.h"

namespace controls {

namespace {

constexpr int kEmphasized = 1;
constexpr int kRaised = 2;
constexpr int kLowered = 3;

// The one-point edge of a raised or lowered title: colour and vertical offset.
bool edgeFor(int style, QColor& colour, double& dy) {
    if (style == kRaised) {
        colour = QColor(255, 255, 255, 150);
        dy = 1;
        return true;
    }
    if (style == kLowered) {
        colour = QColor(0, 0, 0, 110);
        dy = -1;
        return true;
    }
    return false;
}

}  // namespace

cg::Color titleColorOnBackground(cg::Color colour, int style) {
    if (style != kEmphasized) return colour;
    return {1, 1, 1, colour.alpha};
}

void drawTitleOnBackground(QPainter& painter, QPointF baseline, const QString& text, cg::Color colour,
                           int style) {
    QColor edge;
    double dy = 0;
    if (edgeFor(style, edge, dy)) {
        painter.setPen(edge);
        painter.drawText(baseline + QPointF(0, dy), text);
    }
    painter.setPen(appkit::toQColor(titleColorOnBackground(colour, style)));
    painter.drawText(baseline, text);
}

void applyBackgroundStyle(QWidget& widget, int style) {
    QColor edge;
    double dy = 0;
    const bool edged = edgeFor(style, edge, dy);
    if (!edged && !TextFieldEffect::find(widget)) return;
    // A fade running on the widget keeps going: its opacity lives in the same effect.
    TextFieldEffect::of(widget).setEdge(edged ? std::optional(TextFieldEffect::Edge{edge, dy})
                                              : std::nullopt);
    TextFieldEffect::dropIfPlain(widget);
}

}  // namespace controls
