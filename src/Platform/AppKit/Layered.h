#pragma once
// Layered<Base>: any Qt widget class with a layer (LayerHost) painted under its own content and a
// border over it, e.g. Layered<QPushButton>. Main thread only.

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include "Platform/AppKit/LayerHost.h"

namespace appkit {

template <class Base>
class Layered : public Base, public LayerHost {
  public:
    template <class... Args>
    explicit Layered(Args&&... args)
        : Base(std::forward<Args>(args)...), LayerHost(static_cast<QWidget&>(*this)) {}

    // Widgets other than views run downwards unless a subclass says otherwise.
    virtual bool isFlipped() const { return true; }

  protected:
    void paintEvent(QPaintEvent* event) override {
        {
            QPainter painter(this);
            paintLayerBelowContent(painter, isFlipped());
        }
        Base::paintEvent(event);
        QPainter painter(this);
        paintLayerBorder(painter, isFlipped());
    }
    void resizeEvent(QResizeEvent* event) override {
        Base::resizeEvent(event);
        layerHostResized(event->oldSize(), event->size());
    }
};

}  // namespace appkit
