#pragma once
// Helpers on views: frame size parts, removing and adding subviews in order, and the layer styling
// properties (border colour and width, corner radius, background colour) that interface code sets
// by name. Reading a styling property never makes a layer; writing one always asks for it first.
// Main thread only.

#include <QWidget>
#include <optional>
#include <vector>

#include "Platform/AppKit/View.h"
#include "Platform/Graphics/Color.h"

namespace view {

cg::Size size(const QWidget& view);
// Sets the width, then the height, in two frame changes.
void setSize(QWidget& view, cg::Size size);
double width(const QWidget& view);
void setWidth(QWidget& view, double width);
double height(const QWidget& view);
void setHeight(QWidget& view, double height);

// Removes every current subview, in order; they are no longer owned by `view` and belong to the
// caller, who may add them again.
void removeAllSubviews(appkit::View& view);
void addSubviews(appkit::View& view, const std::vector<QWidget*>& subviews);

std::optional<cg::Color> borderColor(const appkit::LayerHost& view);
void setBorderColor(appkit::LayerHost& view, std::optional<cg::Color> colour);
double borderWidth(const appkit::LayerHost& view);
void setBorderWidth(appkit::LayerHost& view, double width);
double cornerRadius(const appkit::LayerHost& view);
// Stores |radius| truncated to two decimals and clips to the rounded bounds from then on. A radius
// whose hundredfold is not finite or does not fit 64 bits leaves the radius as it was.
void setCornerRadius(appkit::LayerHost& view, double radius);
std::optional<cg::Color> backgroundColor(const appkit::LayerHost& view);
void setBackgroundColor(appkit::LayerHost& view, std::optional<cg::Color> colour);

}  // namespace view
