// What a user reads on the preset cards: every text on every card, resting and highlighted, stands
// out from its card at 4.5:1 or better in the light and the dark style.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include "Controls/SystemAppearance.h"
#include "PresetListFixture.h"
#include "Support/SceneStyle.h"
#include "Support/TextContrast.h"

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
