#pragma once
// A media timing function: a cubic Bezier from (0,0) to (1,1) through two control points, as the
// animation groups and key-path animations take it. A plain value.

#include <QEasingCurve>
#include <string>

namespace appkit {

struct TimingFunction {
    double c1x = 0, c1y = 0, c2x = 1, c2y = 1;  // linear

    static TimingFunction linear() { return {0, 0, 1, 1}; }
    static TimingFunction easeIn() { return {0.42, 0, 1, 1}; }
    static TimingFunction easeOut() { return {0, 0, 0.58, 1}; }
    static TimingFunction easeInEaseOut() { return {0.42, 0, 0.58, 1}; }
    static TimingFunction standard() { return {0.25, 0.1, 0.25, 1}; }
    // By name: "linear", "easeIn", "easeOut", "easeInEaseOut", "default"; anything else is linear.
    static TimingFunction named(const std::string& name);

    QEasingCurve easingCurve() const;
    bool operator==(const TimingFunction&) const = default;
};

}  // namespace appkit
