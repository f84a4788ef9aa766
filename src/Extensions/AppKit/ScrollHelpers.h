#pragma once
// The scroll properties interface code sets by name: hiding the scrollers and scrolling to the
// top. Their getters are constant and the values written are ignored. Main thread only.

#include <QAbstractScrollArea>

namespace scrollview {

// Clip views are flipped: their content runs from the top.
constexpr bool isFlipped() {
    return true;
}

constexpr bool hideScroll(const QAbstractScrollArea&) {
    return false;
}
// Turns both scrollers off, whatever the value.
void setHideScroll(QAbstractScrollArea& scrollView, bool ignored);
constexpr bool topScroll(const QAbstractScrollArea&) {
    return true;
}
// Scrolls the content to its top, whatever the value.
void setTopScroll(QAbstractScrollArea& scrollView, bool ignored);

}  // namespace scrollview
