#pragma once
// BezierPath: a drawing path as a list of elements (move, line, cubic curve, close) with their
// points, in the coordinates of the view that draws it. A plain value. QPainterPath plays the role
// of the graphics path that layers take.

#include <array>
#include <vector>

#include "Platform/Graphics/Geometry.h"

namespace appkit {

class BezierPath {
  public:
    enum class ElementType { MoveTo, LineTo, CurveTo, ClosePath };
    struct Element {
        ElementType type;
        std::array<cg::Point, 3> points{};  // curve: control 1, control 2, end; move and line: point 0
    };

    void moveTo(cg::Point p) { elements_.push_back({ElementType::MoveTo, {p}}); }
    void lineTo(cg::Point p) { elements_.push_back({ElementType::LineTo, {p}}); }
    void curveTo(cg::Point end, cg::Point control1, cg::Point control2) {
        elements_.push_back({ElementType::CurveTo, {control1, control2, end}});
    }
    void closePath() { elements_.push_back({ElementType::ClosePath, {}}); }

    int elementCount() const { return static_cast<int>(elements_.size()); }
    const Element& element(int index) const { return elements_.at(static_cast<std::size_t>(index)); }
    const std::vector<Element>& elements() const { return elements_; }
    bool isEmpty() const { return elements_.empty(); }

  private:
    std::vector<Element> elements_;
};

}  // namespace appkit
