#include <gtest/gtest.h>

#include <unordered_set>

#include "Core/Crop/FMCrop.h"
#include "Platform/Image/Bitmap.h"

using core::FMCrop;
using core::FMCropRatio;

TEST(FMCrop, RatiosNamesAndIdentifiersAsCatalogued) {
    EXPECT_EQ(FMCrop(FMCrop::ratio3x2).ratio(), (FMCropRatio{3, 2}));
    EXPECT_EQ(FMCrop(FMCrop::ratio1d91x1).ratio(), (FMCropRatio{1.91, 1}));
    EXPECT_EQ(FMCrop(FMCrop::ratio9x16).ratio(), (FMCropRatio{9, 16}));
    EXPECT_FALSE(FMCrop(FMCrop::ratioCustom).ratio());
    EXPECT_FALSE(FMCrop(FMCrop::ratioOrigin).ratio());

    // 3:2 borrows 4:3's icon and identifier; 1.91:1 is the social format.
    EXPECT_EQ(FMCrop(FMCrop::ratio3x2).identifier(), "ratio4x3");
    EXPECT_EQ(FMCrop(FMCrop::ratio3x2).iconName(), "icon_crop_4x3");
    EXPECT_EQ(FMCrop(FMCrop::ratio1d91x1).identifier(), "Social");
    EXPECT_EQ(FMCrop(FMCrop::ratioOrigin).iconName(), "icon_crop_origin_ratio");

    const std::map<std::string, std::string> table{{"editor_crop_ratio16x9", "Widescreen"}};
    EXPECT_EQ(FMCrop(FMCrop::ratio18x6).localizedName(table), "Widescreen");
    EXPECT_EQ(FMCrop(FMCrop::ratio16x9).localizedName(table), "Widescreen");
    EXPECT_FALSE(FMCrop(FMCrop::ratio4x3).localizedName(table));
    EXPECT_FALSE(FMCrop(FMCrop::ratio16x9).localizedName({}));
}

TEST(FMCrop, ApplyingKeepsTheImageAndMissingIconsAreEmpty) {
    const auto photo = image::filledImage({40, 30}, cg::Color::black());
    ASSERT_TRUE(photo);
    EXPECT_TRUE(FMCrop(FMCrop::ratioSquare).apply(*photo).isSameObject(*photo));
    EXPECT_FALSE(FMCrop(FMCrop::ratioSquare).icon());  // no crop icons ship with the application

    const std::unordered_set<FMCrop> set{FMCrop::ratio4x3, FMCrop::ratio4x3, FMCrop::ratioSquare};
    EXPECT_EQ(set.size(), 2u);
}
