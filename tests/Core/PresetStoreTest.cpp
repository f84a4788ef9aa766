#include "Core/Records/PresetStore.h"

#include <gtest/gtest.h>

#include "Core/Records/DefaultPresets.h"
#include "Support/TempDir.h"

namespace core {
namespace {

using foundation::PlistArray;
using foundation::PlistValue;
using foundation::UserDefaults;

TEST(DefaultPresets, SevenBuiltInsInOrderWithTheirValues) {
    struct Expected {
        const char* name;
        double width, height, percent;
        bool enhance;
    };
    const Expected expected[] = {
        {"Half", -1, -1, 50, true},      {"W-1280", 1280, -1, -1, false},    {"HD", 1280, 720, -1, true},
        {"H-1280", -1, 1280, -1, false}, {"Full HD", 1920, 1080, -1, false}, {"4K", 3840, 2160, -1, true},
        {"SD", 720, 480, -1, false},
    };
    const auto& presets = defaultPresets();
    ASSERT_EQ(presets.size(), std::size(expected));
    for (std::size_t i = 0; i < presets.size(); ++i) {
        const PresetInfo& p = presets[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(p.size(), 9u);
        EXPECT_EQ(p.at("presetName"), PlistValue(e.name));
        EXPECT_EQ(p.at("presetWidth").toDouble(), e.width);
        EXPECT_EQ(p.at("presetHeight").toDouble(), e.height);
        EXPECT_EQ(p.at("presetPercent").toDouble(), e.percent);
        EXPECT_EQ(p.at("autoEnhance"), PlistValue(e.enhance));
        EXPECT_EQ(p.at("outputFormat"), PlistValue("Default"));
        EXPECT_EQ(p.at("imageEffect"), PlistValue(e.enhance ? 5 : 1));
        EXPECT_EQ(p.at("countUsage"), PlistValue(0));
        EXPECT_EQ(p.at("imageEffectFilter"), PlistValue(e.enhance ? "AutoEnhance" : ""));
    }
    EXPECT_EQ(&defaultPresets(), &presets);
}

class PresetStore : public ::testing::Test {
  protected:
    testsupport::TempDir dir;
    UserDefaults defaults{dir / "settings.json"};
};

TEST_F(PresetStore, MissingNonArrayOrAllBrokenValuesGiveTheBuiltInsAndAnEmptyListStaysEmpty) {
    EXPECT_EQ(loadPresetList(defaults), defaultPresets());
    defaults.set(kSavedPresetsKey, PlistValue("not a list"));
    EXPECT_EQ(loadPresetList(defaults), defaultPresets());
    defaults.set(kSavedPresetsKey, PlistValue(foundation::PlistDictionary{{"presetName", "Web"}}));
    EXPECT_EQ(loadPresetList(defaults), defaultPresets());
    defaults.set(kSavedPresetsKey, PlistValue(PlistArray{}));
    EXPECT_TRUE(loadPresetList(defaults).empty()) << "every preset deleted stays deleted";
    defaults.set(kSavedPresetsKey, PlistValue(PlistArray{PlistValue(3), PlistValue("x")}));
    EXPECT_EQ(loadPresetList(defaults), defaultPresets());
}

TEST_F(PresetStore, ABrokenElementIsSkippedAndTheValidOnesKept) {
    const PresetInfo web{{"presetName", "Web"}, {"presetWidth", 800}, {"countUsage", 4}};
    const PresetInfo print{{"presetName", "Print"}, {"presetPercent", 75.0}};
    defaults.set(kSavedPresetsKey,
                 PlistValue(PlistArray{PlistValue(web), PlistValue("broken"), PlistValue(print)}));
    EXPECT_EQ(loadPresetList(defaults), (std::vector<PresetInfo>{web, print}));
}

TEST_F(PresetStore, PresetsSurviveASaveAndAReloadWithTheirTypes) {
    PresetList list;
    list.replaceAll({
        {{"presetName", "Web"},
         {"presetWidth", 800},
         {"presetHeight", -1.0},
         {"autoSaliency", true},
         {"outputFormat", ".png"},
         {"countUsage", 12},
         {"imageEffect", 1}},
        {{"presetName", "Thumb"}, {"presetPercent", 12.5}, {"defaultSize", 1}, {"imageCrop", false}},
    });
    savePresetList(defaults, list);
    ASSERT_TRUE(defaults.synchronize());

    UserDefaults reopened(dir / "settings.json");
    PresetList loaded;
    loadPresetList(loaded, reopened);
    ASSERT_EQ(loaded.snapshot(), list.snapshot());
    const PresetInfo web = *loaded.at(0);
    ASSERT_TRUE(web.at("presetWidth").integerIf());  // an integer width stays an integer
    EXPECT_EQ(*web.at("presetWidth").integerIf(), 800);
    EXPECT_TRUE(web.at("presetHeight").doubleIf());
    EXPECT_TRUE(web.at("autoSaliency").boolIf());
    EXPECT_EQ(presetWidth(web), 800.0);
    EXPECT_TRUE(presetIsDefaultSize(*loaded.at(1)));
}

}  // namespace
}  // namespace core
