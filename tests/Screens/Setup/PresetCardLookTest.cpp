// How the preset list looks in the light and the dark style: every text on every card, resting and
// highlighted, stands out from its card at 4.5:1 or better, and so does the spinner from the grid.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include "Controls/SystemAppearance.h"
#include "PresetListFixture.h"
#include "Support/SceneStyle.h"
#include "Support/TextContrast.h"
#include "Support/UiEvents.h"

using namespace setuptest;

TEST_F(PresetListTest, EveryTextOnEveryCardReadsAtFourAndAHalfToOneInBothStyles) {
    const QPalette original = QApplication::palette();
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        testsupport::applySceneStyle(*qApp, dark);
        controls::SystemAppearance::instance().overrideDesktopIsDark(dark);
        screen->collectionView->reloadData();
        drain();
        const int count = screen->collectionView->numberOfItems();
        ASSERT_GT(count, 3);
        for (int row = 0; row < count; ++row) {
            PresetCell* cell = cellAt(row);
            ASSERT_NE(cell, nullptr);
            // The card under the pointer (or running its job) is tinted; its texts must still read.
            for (const bool highlighted : {false, true}) {
                if (highlighted)
                    cell->presetView->showHoverHighlight();
                else
                    cell->presetView->clearHoverHighlight();
                const QImage card = cell->box->grab().toImage();
                std::vector<std::pair<const char*, QWidget*>> texts = {{"name", cell->nameField},
                                                                       {"size", cell->sizeText}};
                for (QLabel* badge :
                     {cell->formatBadge, cell->effectBadge, cell->saliencyBadge, cell->originalBadge})
                    if (badge->isVisibleTo(cell->box) && !badge->text().isEmpty())
                        texts.emplace_back("badge", badge);
                for (const auto& [what, widget] : texts) {
                    const QRect place(widget->mapTo(cell->box, QPoint(0, 0)), widget->size());
                    const double ratio = testsupport::textContrast(card.copy(place));
                    EXPECT_GE(ratio, 4.5)
                        << what << " of card " << row << (highlighted ? " (highlighted)" : "");
                }
                // Badges are set in a size a person can read.
                for (QLabel* badge : {cell->formatBadge, cell->effectBadge})
                    EXPECT_GE(QFontInfo(badge->font()).pixelSize(), 11);
            }
        }
    }
    controls::SystemAppearance::instance().overrideDesktopIsDark(std::nullopt);
    QApplication::setPalette(original);
}

// While a dropped job collects its photos, the spinner over the grid's corner must be seen: its rings
// stand out from the grid behind them in the light and the dark style alike.
TEST_F(PresetListTest, TheSpinnerOverTheGridIsSeenInBothStyles) {
    const QPalette original = QApplication::palette();
    const auto out = dir / "out";
    std::filesystem::create_directories(out);
    const std::string dropped = photo("a.jpg", 1).string();
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        testsupport::applySceneStyle(*qApp, dark);
        controls::SystemAppearance::instance().overrideDesktopIsDark(dark);
        drain();
        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
        ASSERT_TRUE(testsupport::dropFiles(cellAt(rowOf("SD"))->presetView, {dropped}).dropAccepted);
        ASSERT_TRUE(mainQueue->runUntil([&] { return screen->loadingIndicatorView->isVisible(); },
                                        std::chrono::seconds(10)));
        QCoreApplication::processEvents();

        // The spinner with a margin of grid around it, as the window shows it.
        controls::KRActivityIndicatorView& spinner = *screen->loadingIndicatorView;
        const QRect around(spinner.mapTo(window.get(), QPoint(-8, -8)), spinner.size() + QSize(16, 16));
        const QImage grab = window->grab(around).toImage();
        const QColor grid = grab.pixelColor(1, 1);
        int standingOut = 0;
        for (int y = 0; y < grab.height(); ++y)
            for (int x = 0; x < grab.width(); ++x)
                standingOut += std::abs(qGray(grab.pixel(x, y)) - qGray(grid.rgb())) > 96;
        EXPECT_GE(standingOut, 40) << "of " << grab.width() * grab.height() << " pixels";

        ASSERT_TRUE(runToEnd());
        screen->hideActivityPanel();
        drain();
    }
    controls::SystemAppearance::instance().overrideDesktopIsDark(std::nullopt);
    QApplication::setPalette(original);
}
