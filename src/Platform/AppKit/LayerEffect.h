#pragma once
// Group opacity and drop shadow of a view's root layer in one graphics effect (Qt allows one effect
// per widget). The view installs it only while either is visible. Main thread only.

#include <QGraphicsEffect>

namespace appkit {

class Layer;

class LayerEffect : public QGraphicsEffect {
    Q_OBJECT
  public:
    explicit LayerEffect(const Layer& layer, QObject* parent = nullptr)
        : QGraphicsEffect(parent), layer_(layer) {}
    QRectF boundingRectFor(const QRectF& rect) const override;

  protected:
    void draw(QPainter* painter) override;

  private:
    const Layer& layer_;
};

}  // namespace appkit
