#include "Extensions/AppKit/ScrollHelpers.h"

#include <QScrollBar>
#include <QVariant>

#include "Platform/AppKit/CollectionView.h"

namespace scrollview {

namespace {

constexpr char kInsets[] = "vortaScrollerInsets";
// The policy a scroll bar had before its inset moved it out of view.
constexpr char kVerticalBefore[] = "vortaVerticalBarBefore";
constexpr char kHorizontalBefore[] = "vortaHorizontalBarBefore";
constexpr ScrollerInsets kHidden{0, 0, -20, -20};

// Whether a scroll bar moved in by `inset` from its side still shows.
bool shows(const QScrollBar& bar, double inset, Qt::Orientation orientation) {
    const QSize hint = bar.sizeHint();
    const int thickness = orientation == Qt::Vertical ? hint.width() : hint.height();
    return -inset < thickness;
}

}  // namespace

ScrollerInsets scrollerInsets(const QAbstractScrollArea& scrollView) {
    const QVariant stored = scrollView.property(kInsets);
    if (!stored.isValid()) return {};
    const QList<QVariant> v = stored.toList();
    return {v.value(0).toDouble(), v.value(1).toDouble(), v.value(2).toDouble(), v.value(3).toDouble()};
}

void setScrollerInsets(QAbstractScrollArea& scrollView, ScrollerInsets insets) {
    scrollView.setProperty(kInsets, QList<QVariant>{insets.top, insets.left, insets.bottom, insets.right});
    // A scroller moved back into view shows again as it did before it was moved out.
    const auto place = [&scrollView](QScrollBar& bar, double inset, Qt::Orientation orientation,
                                     const char* hiddenKey, auto setPolicy, Qt::ScrollBarPolicy policy) {
        if (!shows(bar, inset, orientation)) {
            if (!scrollView.property(hiddenKey).isValid()) scrollView.setProperty(hiddenKey, int(policy));
            (scrollView.*setPolicy)(Qt::ScrollBarAlwaysOff);
        } else if (const QVariant before = scrollView.property(hiddenKey); before.isValid()) {
            (scrollView.*setPolicy)(static_cast<Qt::ScrollBarPolicy>(before.toInt()));
            scrollView.setProperty(hiddenKey, QVariant());
        }
    };
    place(*scrollView.verticalScrollBar(), insets.right, Qt::Vertical, kVerticalBefore,
          &QAbstractScrollArea::setVerticalScrollBarPolicy, scrollView.verticalScrollBarPolicy());
    place(*scrollView.horizontalScrollBar(), insets.bottom, Qt::Horizontal, kHorizontalBefore,
          &QAbstractScrollArea::setHorizontalScrollBarPolicy, scrollView.horizontalScrollBarPolicy());
}

void setHideScroll(QAbstractScrollArea& scrollView, bool) {
    setScrollerInsets(scrollView, kHidden);
    // Off for good: insets moved back later do not bring these scrollers back.
    scrollView.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollView.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollView.setProperty(kVerticalBefore, QVariant());
    scrollView.setProperty(kHorizontalBefore, QVariant());
}

void setHideScroll(appkit::CollectionView& collectionView, bool) {
    setScrollerInsets(collectionView, kHidden);
}

void setTopScroll(QAbstractScrollArea& scrollView, bool) {
    scrollView.verticalScrollBar()->setValue(scrollView.verticalScrollBar()->minimum());
}

}  // namespace scrollview
