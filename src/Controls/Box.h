#pragma once
// Box: a filled panel with the shared gradient and shadow (shadow offset (3, -3)), whose fill can
// be a pattern picked at random from the image names in `patternImage`. The gradient keeps square
// corners. Main thread only.

#include <QImage>
#include <functional>
#include <optional>
#include <string>

#include "Controls/GradientShadowStyle.h"
#include "Platform/AppKit/View.h"

namespace controls {

class Box : public appkit::View, public GradientShadowStyle {
    Q_OBJECT
  public:
    explicit Box(QWidget* parent = nullptr);

    // The bundle's image by name, or absent.
    using ImageLookup = std::function<std::optional<QImage>(const std::string& name)>;
    // A uniform pick below `count` (count >= 1).
    using RandomPick = std::function<std::uint32_t(std::uint32_t count)>;
    void setImageLookup(ImageLookup lookup) { imageLookup_ = std::move(lookup); }
    void setRandomPick(RandomPick pick) { randomPick_ = std::move(pick); }

    const std::string& patternImage() const { return patternImage_; }
    // Picks one entry and fills the box with its image tiled. An entry naming no image keeps the
    // current fill.
    void setPatternImage(const std::string& pattern);

    std::optional<cg::Color> fillColor() const { return fillColor_; }
    void setFillColor(std::optional<cg::Color> colour);
    // The tile of the pattern fill, or a null image when the fill is a plain colour.
    const QImage& fillPattern() const { return fillPattern_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::string patternImage_;
    std::optional<cg::Color> fillColor_;
    QImage fillPattern_;
    ImageLookup imageLookup_;
    RandomPick randomPick_;
};

}  // namespace controls
