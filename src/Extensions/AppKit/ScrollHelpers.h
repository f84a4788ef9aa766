#pragma once
// The scroll properties interface code sets by name: hiding the scrollers and scrolling to the
// top, on a scroll view and on a collection view, and the scroller insets they use. Their getters
// are constant and the values written are ignored. Main thread only.

#include <QAbstractScrollArea>

namespace appkit {
class CollectionView;
}

namespace scrollview {

// How far each scroller is moved in from its side of the scroll view; a negative inset moves it
// out. Qt lays its scroll bars inside the view, so a scroller moved out by at least its own
// thickness is not shown at all; the content still scrolls by wheel, keys and code.
struct ScrollerInsets {
    double top = 0, left = 0, bottom = 0, right = 0;
    bool operator==(const ScrollerInsets&) const = default;
};

ScrollerInsets scrollerInsets(const QAbstractScrollArea& scrollView);
void setScrollerInsets(QAbstractScrollArea& scrollView, ScrollerInsets insets);

// Clip views are flipped: their content runs from the top.
constexpr bool isFlipped() {
    return true;
}

constexpr bool hideScroll(const QAbstractScrollArea&) {
    return false;
}
// Turns both scrollers off and moves them out by 20 points at the bottom and right, whatever the
// value.
void setHideScroll(QAbstractScrollArea& scrollView, bool ignored);

// A collection view scrolls in its own scroll view (it is its own enclosing scroll view here): only
// the scroller insets of that scroll view change, to 20 points out at the bottom and right.
constexpr bool hideScroll(const appkit::CollectionView&) {
    return false;
}
void setHideScroll(appkit::CollectionView& collectionView, bool ignored);

constexpr bool topScroll(const QAbstractScrollArea&) {
    return true;
}
// Scrolls the content to its top, whatever the value.
void setTopScroll(QAbstractScrollArea& scrollView, bool ignored);

}  // namespace scrollview
