#pragma once
// CircularBarLayer: one ring of the progress ring, a shape layer stroking an arc whose stroke end is
// the share of work done. It animates its stroke end on the view that hosts it. Main thread only.

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

#include "Platform/AppKit/Layer.h"
#include "Platform/AppKit/View.h"
#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Geometry.h"

class CircularBarLayer : public appkit::Layer, public std::enable_shared_from_this<CircularBarLayer> {
  public:
    // An arc around `center` (host coordinates, y up) from `startAngle` to `endAngle` in degrees,
    // clockwise exactly when the end is below the start. A new bar strokes nothing.
    CircularBarLayer(cg::Color color, bool roundCap, cg::Point center, double radius, double lineWidth,
                     double startAngle, double endAngle);

    std::function<void()> completion;
    std::optional<bool> lineEndRound = false;

    double progress() const { return strokeEnd; }
    void setProgress(std::optional<double> value);

    // The view whose layer holds this bar; animations run there.
    void setHost(appkit::View* host) { host_ = host; }
    appkit::View* host() const { return host_; }

    // Removes a running stroke animation and animates from the current model value to `to`.
    void animateStrokeEnd(double to, double duration);
    void animationDidStop(bool finished);

  private:
    std::string animationKey() const;

    QPointer<appkit::View> host_;
};
