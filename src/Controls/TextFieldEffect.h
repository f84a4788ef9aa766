#pragma once
// TextFieldEffect: the one graphics effect of a text field or label, carrying both its opacity (a
// fade) and the one-point edge of a raised or lowered background style. Qt gives a widget a single
// effect, so a fade and a background style share this one instead of replacing each other. Main
// thread only.

#include <QColor>
#include <QGraphicsEffect>
#include <optional>

class QWidget;

namespace controls {

class TextFieldEffect : public QGraphicsEffect {
    Q_OBJECT
  public:
    // A copy of the text in `colour`, drawn `dy` points below it (above for a negative dy).
    struct Edge {
        QColor colour;
        double dy = 0;
        bool operator==(const Edge&) const = default;
    };

    explicit TextFieldEffect(QObject* parent = nullptr);

    double opacity() const { return opacity_; }
    void setOpacity(double opacity);
    const std::optional<Edge>& edge() const { return edge_; }
    void setEdge(std::optional<Edge> edge);
    // Neither faded nor edged: the widget draws as it would without an effect.
    bool isPlain() const { return opacity_ >= 1.0 && !edge_; }

    // The widget's effect, made when it has none (replacing an effect of another kind).
    static TextFieldEffect& of(QWidget& widget);
    // The widget's effect when it has one of this kind.
    static TextFieldEffect* find(const QWidget& widget);
    // Removes the widget's effect once it is plain again.
    static void dropIfPlain(QWidget& widget);

    QRectF boundingRectFor(const QRectF& rect) const override;

  protected:
    void draw(QPainter* painter) override;

  private:
    double opacity_ = 1.0;
    std::optional<Edge> edge_;
};

}  // namespace controls
