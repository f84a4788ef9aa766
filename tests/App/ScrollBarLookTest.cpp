// Scroll bars in the running application: the handle stands out from its groove under the light and
// the dark look, by the pixels a user sees.

#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QVBoxLayout>

#include "App/Appearance.h"
#include "ShellFixture.h"
#include "Support/TextContrast.h"

namespace {

using testsupport::contrastRatio;

class ScrollBarLookTest : public testsupport::ShellTest {};

TEST_F(ScrollBarLookTest, HandleContrastsWithGrooveInBothLooks) {
    start();
    struct Case {
        Appearance look;
        const char* name;
    };
    for (const Case& c : {Case{Appearance::Aqua, "light"}, Case{Appearance::VibrantDark, "dark"}}) {
        SCOPED_TRACE(c.name);
        QWidget window;
        setAppearance(window, c.look);
        auto* layout = new QVBoxLayout(&window);
        auto* area = new QScrollArea;
        auto* content = new QLabel("rows");
        content->setMinimumSize(200, 2000);
        area->setWidget(content);
        layout->addWidget(area);
        window.resize(260, 300);
        window.show();
        QCoreApplication::processEvents();

        QScrollBar* bar = area->verticalScrollBar();
        ASSERT_TRUE(bar->isVisible());
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.pageStep = bar->pageStep();
        option.singleStep = bar->singleStep();
        option.upsideDown = false;
        const QRect handle =
            bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
        const QRect page =
            bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddPage, bar);
        ASSERT_FALSE(handle.isEmpty());
        ASSERT_FALSE(page.isEmpty());

        const QImage picture = bar->grab().toImage();
        const QColor handleInk = picture.pixelColor(handle.center());
        const QColor groove = picture.pixelColor(page.center());
        EXPECT_GE(contrastRatio(handleInk, groove), 2.0)
            << "handle " << handleInk.name().toStdString() << " on " << groove.name().toStdString();
        // The bar belongs to its window's look: its groove is not a light strip in the dark one.
        const QColor windowColour = window.palette().color(QPalette::Window);
        EXPECT_LT(contrastRatio(groove, windowColour), 1.5) << groove.name().toStdString();
    }
}

}  // namespace
