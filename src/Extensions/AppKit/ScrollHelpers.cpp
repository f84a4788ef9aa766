#include "Extensions/AppKit/ScrollHelpers.h"

#include <QScrollBar>

namespace scrollview {

void setHideScroll(QAbstractScrollArea& scrollView, bool) {
    scrollView.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollView.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void setTopScroll(QAbstractScrollArea& scrollView, bool) {
    scrollView.verticalScrollBar()->setValue(scrollView.verticalScrollBar()->minimum());
}

}  // namespace scrollview
