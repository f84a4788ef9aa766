#pragma once
// TableView: the table that carries the row styling values the scene builder sets on it (hover and
// selection colours, corner radius, padding, inner view index); the rows keep their own values, so
// these change nothing on screen. Main thread only.

#include "Platform/AppKit/TableView.h"
#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Geometry.h"

namespace controls {

class TableView : public appkit::TableView {
    Q_OBJECT
  public:
    explicit TableView(QWidget* parent = nullptr) : appkit::TableView(parent) {}

    cg::Color rowHover = cg::Color::clear();
    cg::Color rowSelection = cg::Color::clear();
    double rowRadius = -1;
    cg::Rect rowPadding;
    long long rowViewID = 1;
};

}  // namespace controls
