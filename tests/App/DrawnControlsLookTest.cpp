// Drawn controls in the running application, by the pixels a user sees: scroll bars thin, with no
// stepper arrows, and a handle that stands out from its groove under the light and the dark look;
// text fields rounded, with their text clear of the edge.

#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QVBoxLayout>

#include "App/Appearance.h"
#include "Controls/TextField.h"
#include "ShellFixture.h"
#include "Support/TextContrast.h"

namespace {

using testsupport::contrastRatio;

class DrawnControlsLookTest : public testsupport::ShellTest {};

TEST_F(DrawnControlsLookTest, ScrollBarsAreThinWithoutArrowsAndTheHandleContrastsWithTheGrooveInBothLooks) {
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

        // Thin, and the handle runs from end to end of the bar: no arrows take room at either end.
        EXPECT_LE(bar->width(), 12);
        EXPECT_EQ(handle.top(), 0) << "something above the handle at the top of the range";
        option.sliderPosition = option.sliderValue = bar->maximum();
        const QRect atEnd =
            bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
        EXPECT_EQ(atEnd.bottom(), bar->height() - 1) << "something below the handle at the end of the range";
        for (const auto stepper : {QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubLine})
            EXPECT_TRUE(bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, stepper, bar).isEmpty());
    }
}

TEST_F(DrawnControlsLookTest, TextFieldsAreRoundedWithTheirTextInsetFromTheEdge) {
    start();
    QWidget window;
    setAppearance(window, Appearance::Aqua);
    auto* field = new controls::TextField(&window);
    field->setText("WWWW");
    field->setGeometry(20, 20, 160, 28);
    window.resize(200, 70);
    window.show();
    QCoreApplication::processEvents();

    const QImage shot = window.grab().toImage();
    const QColor background = window.palette().color(QPalette::Window);
    const auto at = [&](int x, int y) { return shot.pixelColor(field->x() + x, field->y() + y); };
    // The corner pixel lies outside the rounded edge, the middle of the top edge on it.
    EXPECT_LT(std::abs(at(0, 0).lightness() - background.lightness()), 6) << "a square corner";
    EXPECT_GT(std::abs(at(field->width() / 2, 0).lightness() - background.lightness()), 12) << "no edge";
    // The first ink of the text, from the left.
    int firstInk = -1;
    for (int x = 2; x < field->width() / 2 && firstInk < 0; ++x)
        for (int y = 6; y < field->height() - 6; ++y)
            if (at(x, y).lightness() < 110) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, 6) << "the text runs against the edge";
    EXPECT_LE(firstInk, 10);
}

}  // namespace
