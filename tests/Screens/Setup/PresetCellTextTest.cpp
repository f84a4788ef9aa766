#include <gtest/gtest.h>

#include "Screens/Setup/PresetCellText.h"

using setup::aspectBoxFrame;
using setup::presetBadges;

namespace {

core::PresetInfo preset(std::string name, double w, double h) {
    return {{"presetName", name},  {"presetWidth", w},          {"presetHeight", h},
            {"presetPercent", -1}, {"outputFormat", "Default"}, {"imageEffectFilter", "Original"}};
}

void expectFrame(const std::optional<cg::Rect>& frame, double x, double y, double w, double h) {
    ASSERT_TRUE(frame.has_value());
    EXPECT_DOUBLE_EQ(frame->origin.x, x);
    EXPECT_DOUBLE_EQ(frame->origin.y, y);
    EXPECT_DOUBLE_EQ(frame->size.width, w);
    EXPECT_DOUBLE_EQ(frame->size.height, h);
}

}  // namespace

TEST(PresetCellText, NamesAreCapitalisedAndBlankNamesShowTheSize) {
    EXPECT_EQ(presetBadges(preset("x", 10, 20)).name, "X");
    EXPECT_EQ(presetBadges(preset("web SMALL", 10, 20)).name, "Web SMALL");
    EXPECT_EQ(presetBadges(preset("élan", 10, 20)).name, "Élan");
    EXPECT_EQ(presetBadges(preset("  \n", 1920, 1080)).name, "1920 x 1080");
}

TEST(PresetCellText, APlainPresetShowsOnlyTheOriginalBadge) {
    auto plain = presetBadges(preset("A", 10, 20));
    EXPECT_FALSE(plain.formatShown);
    EXPECT_FALSE(plain.effectShown);
    EXPECT_FALSE(plain.saliencyShown);
    EXPECT_TRUE(plain.originalShown);

    auto fancy = preset("B", 10, 20);
    fancy["outputFormat"] = ".png";
    fancy["imageEffectFilter"] = "Noir";
    fancy["autoSaliency"] = true;
    const auto b = presetBadges(fancy);
    EXPECT_EQ(b.format, "PNG");
    EXPECT_TRUE(b.formatShown);
    EXPECT_EQ(b.effect, "NOIR");
    EXPECT_TRUE(b.effectShown);
    EXPECT_FALSE(b.originalShown);
}

TEST(PresetCellText, TheAspectBoxFollowsTheSidesAndNeverCollapses) {
    expectFrame(aspectBoxFrame(1920, 1080), 0, 13.125, 60, 33.75);
    expectFrame(aspectBoxFrame(1080, 1920), 26.25, 0, 33.75, 60);
    expectFrame(aspectBoxFrame(1920, -1), 0, 0, 60, 60);
    expectFrame(aspectBoxFrame(-1, 1080), 0, 0, 60, 60);
    EXPECT_FALSE(aspectBoxFrame(-1, -1).has_value());
    EXPECT_FALSE(aspectBoxFrame(500, 500).has_value());
    // An empty side from the editor (0) is unset, not a box of no height.
    expectFrame(aspectBoxFrame(1920, 0), 0, 0, 60, 60);
    expectFrame(aspectBoxFrame(0, 1080), 0, 0, 60, 60);
}
