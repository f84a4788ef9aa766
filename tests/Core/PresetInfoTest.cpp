#include "Core/Records/PresetInfo.h"

#include <gtest/gtest.h>

#include "Platform/Foundation/Formatters.h"
#include "Platform/Graphics/SystemColors.h"

namespace core {
namespace {

struct AccessorCase {
    const char* label;
    PresetInfo preset;
    std::string sizeText;
    std::string shortText;
    cg::Color tag;
    ActionType action;
};

TEST(PresetInfo, SizeTextsColourTagsAndActionTypes) {
    foundation::setDefaultLocale("en_US");
    const std::vector<AccessorCase> cases = {
        {"width and height",
         {{"presetWidth", 1280.0}, {"presetHeight", 720.0}, {"presetPercent", -1.0}},
         "Size: 1280 X 720",
         "1280 x 720",
         cg::system::orange(),
         ActionType::WxH},
        {"integer sizes read as numbers",
         {{"presetWidth", 1920}, {"presetHeight", 1080}},
         "Size: 1920 X 1080",
         "1920 x 1080",
         cg::system::orange(),
         ActionType::WxH},
        {"percent only", {{"presetPercent", 50.0}}, "Size: 50%", "50 %", cg::system::blue(), ActionType::PxP},
        {"width only",
         {{"presetWidth", 1280.0}, {"presetHeight", -1.0}},
         "Size: 1280 X Auto Height",
         "1280 x Auto",
         cg::system::green(),
         ActionType::WxAuto},
        {"height only",
         {{"presetWidth", -1.0}, {"presetHeight", 1280.0}},
         "Size: Auto Width X 1280",
         "Auto x 1280",
         cg::system::yellow(),
         ActionType::HxAuto},
        {"fractions keep two digits",
         {{"presetWidth", 800.5}, {"presetHeight", 600.257}},
         "Size: 800.5 X 600.26",
         "800.5 x 600.26",
         cg::system::orange(),
         ActionType::WxH},
        {"width wins over percent",
         {{"presetWidth", 640.0}, {"presetPercent", 50.0}},
         "Size: 640 X Auto Height",
         "640 x Auto",
         cg::system::green(),
         ActionType::WxAuto},
        {"no size at all", {}, "", "Default", cg::Color::clear(), ActionType::WxAuto},
        {"zero and negative sizes are unset",
         {{"presetWidth", 0.0}, {"presetHeight", -5}, {"presetPercent", 0}},
         "",
         "Default",
         cg::Color::clear(),
         ActionType::WxAuto},
        {"sizes of another type are unset",
         {{"presetWidth", "1280"}, {"presetPercent", "50"}},
         "",
         "Default",
         cg::Color::clear(),
         ActionType::WxAuto},
        {"default size wins over sizes",
         {{"presetWidth", 1280.0}, {"presetHeight", 720.0}, {"defaultSize", 1}},
         "Default",
         "1280 x 720",
         cg::system::lightGray(),
         ActionType::WxH},
        {"defaultSize other than 1",
         {{"presetPercent", 25.0}, {"defaultSize", 2}},
         "Size: 25%",
         "25 %",
         cg::system::blue(),
         ActionType::PxP},
        {"defaultSize as text",
         {{"presetPercent", 25.0}, {"defaultSize", "1"}},
         "Size: 25%",
         "25 %",
         cg::system::blue(),
         ActionType::PxP},
        {"placeholder", {{"markDummy", true}}, "", "Default", cg::Color::clear(), ActionType::WxAuto},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(presetSizeText(c.preset), c.sizeText);
        EXPECT_EQ(presetSizeShortText(c.preset), c.shortText);
        EXPECT_EQ(presetColorTag(c.preset), c.tag);
        EXPECT_EQ(presetActionType(c.preset), c.action);
    }
}

TEST(PresetInfo, TypedReadersGiveTheirDefaultForMissingOrMistypedValues) {
    const PresetInfo preset = {
        {"presetName", "Web"},         {"presetWidth", -1.0}, {"presetHeight", 720}, {"outputFormat", ".png"},
        {"imageEffectFilter", "Noir"}, {"autoEnhance", true}, {"imageCrop", "yes"},  {"defaultSize", 1},
    };
    EXPECT_EQ(presetName(preset), "Web");
    EXPECT_EQ(presetOutputExtension(preset), "png");
    EXPECT_EQ(presetEffectFilter(preset), "Noir");
    EXPECT_TRUE(presetAutoEnhance(preset));
    EXPECT_FALSE(presetImageCrop(preset));
    EXPECT_FALSE(presetAutoSaliency(preset));
    EXPECT_TRUE(presetIsDefaultSize(preset));
    EXPECT_FALSE(presetHasWidth(preset));
    EXPECT_TRUE(presetHasHeight(preset));
    EXPECT_EQ(presetWidth(preset), -1.0);
    EXPECT_EQ(presetHeight(preset), 720.0);

    const PresetInfo empty;
    EXPECT_EQ(presetName(empty), "");
    EXPECT_EQ(presetOutputExtension(empty), "");
    EXPECT_EQ(presetEffectFilter(empty), "");
    EXPECT_FALSE(presetIsDefaultSize(empty));
    EXPECT_EQ(presetWidth(empty), 0.0);
    EXPECT_EQ(presetHeight(empty), 0.0);

    const PresetInfo mistyped = {{"presetName", 7}, {"presetWidth", "800"}, {"autoSaliency", "true"}};
    EXPECT_EQ(presetName(mistyped), "");
    EXPECT_EQ(presetWidth(mistyped), 0.0);
    EXPECT_FALSE(presetAutoSaliency(mistyped));

    // Extensions with and without a dot; "Default" and only one leading dot dropped.
    const auto extension = [](const char* format) {
        return presetOutputExtension({{"outputFormat", format}});
    };
    EXPECT_EQ(extension("png"), "png");
    EXPECT_EQ(extension(".png"), "png");
    EXPECT_EQ(extension("Default"), "Default");
    EXPECT_EQ(extension("..jpg"), ".jpg");
    EXPECT_EQ(extension(""), "");
}

TEST(ActionType, RawValues) {
    EXPECT_EQ(actionTypeFromRawValue(0), ActionType::PxP);
    EXPECT_EQ(actionTypeFromRawValue(1), ActionType::WxAuto);
    EXPECT_EQ(actionTypeFromRawValue(2), ActionType::HxAuto);
    EXPECT_EQ(actionTypeFromRawValue(3), ActionType::WxH);
    EXPECT_FALSE(actionTypeFromRawValue(4));
    EXPECT_FALSE(actionTypeFromRawValue(-1));
}

}  // namespace
}  // namespace core
