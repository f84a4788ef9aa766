#pragma once
// Paints a layer tree with QPainter: background, clip, sublayers, then (separately) the border, so
// that a view's own content lands between the two. Main thread only.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>

#include "Platform/AppKit/Layer.h"

namespace appkit {

QColor toQColor(const cg::Color& c);
cg::Color fromQColor(const QColor& c);
// The shadow a layer casts from what `source` shows: its alpha blurred by the layer's shadow radius
// and tinted with its shadow colour and opacity.
QImage shadowImage(const QImage& source, const Layer& layer);

class LayerPainter {
  public:
    // `bounds` is the host's rectangle in Qt coordinates; `flipped` says whether the host's own
    // coordinates run downwards (otherwise sublayer frames are mirrored vertically).
    LayerPainter(QPainter& painter, QRectF bounds, bool flipped)
        : p_(painter), bounds_(bounds), flipped_(flipped) {}

    // Applies the root's animated transform, paints its background, clips when it masks to bounds
    // and paints the sublayers.
    void paintBelowContent(const Layer& root);
    void paintBorder(const Layer& root);

    static QPainterPath roundedPath(QRectF rect, double radius);

  private:
    void paintSublayer(const Layer& layer, QRectF hostRect);
    void paintBorderIn(const Layer& layer, QRectF rect);
    QRectF toQt(const cg::Rect& frame, QRectF hostRect) const;
    void applyTransform(const Layer& layer, QRectF rect);

    QPainter& p_;
    QRectF bounds_;
    bool flipped_;
    bool castingShadow_ = false;  // painting a sublayer only to take its shadow
};

}  // namespace appkit
