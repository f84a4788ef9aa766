#pragma once
// The layer model of a view: background, corner radius with clipping, border, shadow, opacity, a
// transform for key-path animations, and sublayers (plain, gradient or shape). Painted by
// LayerPainter; a View owns its root layer. Sublayer frames and gradient points use the
// coordinates of the view that hosts them (y up unless that view is flipped). Main thread only.

#include <QPainterPath>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Geometry.h"

namespace appkit {

class Layer {
  public:
    enum class Kind { Plain, Gradient, Shape };
    explicit Layer(Kind kind = Kind::Plain) : kind(kind) {}

    Kind kind;
    std::string name;
    cg::Rect frame;                 // sublayers only; a root layer always covers its view
    unsigned autoresizingMask = 0;  // sublayers follow their host's size with 2 (width) and 16 (height)
    bool hidden = false;

    std::optional<cg::Color> backgroundColor;
    double cornerRadius = 0;
    bool masksToBounds = false;
    double borderWidth = 0;
    std::optional<cg::Color> borderColor;
    double opacity = 1;

    std::optional<cg::Color> shadowColor = cg::Color::black();
    double shadowOpacity = 0;
    cg::Size shadowOffset{0, -3};  // y up: a negative height falls below
    double shadowRadius = 3;

    double scale = 1;
    double rotationZ = 0;      // radians, counter-clockwise on screen
    cg::Point positionOffset;  // moved by "position" animations, in host coordinates

    // Gradient layers.
    std::vector<cg::Color> colors;
    std::vector<double> locations;
    cg::Point startPoint{0.5, 0}, endPoint{0.5, 1};

    // Shape layers, in the layer's own coordinates.
    QPainterPath path;
    std::optional<cg::Color> fillColor = cg::Color::black();
    std::optional<cg::Color> strokeColor;
    double lineWidth = 1;
    double strokeStart = 0, strokeEnd = 1;
    Qt::PenCapStyle lineCap = Qt::FlatCap;

    std::vector<std::shared_ptr<Layer>> sublayers;

    void addSublayer(std::shared_ptr<Layer> layer) { sublayers.push_back(std::move(layer)); }
    void insertSublayer(std::shared_ptr<Layer> layer, std::size_t index);
    void removeSublayer(const Layer* layer);

    // The value animations show while they run; the model above is what stays afterwards.
    std::map<std::string, double> presentation;
    double presented(const std::string& keyPath) const;
    bool showsShadow() const {
        return shadowOpacity > 0 && shadowColor && shadowColor->alpha > 0 && !masksToBounds;
    }
};

// Key paths the animations understand; others are ignored.
namespace KeyPath {
inline constexpr char opacity[] = "opacity";
inline constexpr char scale[] = "transform.scale";
inline constexpr char rotation[] = "transform.rotation.z";
inline constexpr char positionX[] = "position.x";
inline constexpr char positionY[] = "position.y";
inline constexpr char strokeEnd[] = "strokeEnd";
inline constexpr char strokeStart[] = "strokeStart";
}  // namespace KeyPath

}  // namespace appkit
