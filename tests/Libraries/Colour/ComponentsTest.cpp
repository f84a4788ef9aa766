#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Libraries/Colour/Components.h"
#include "Libraries/Colour/Construction.h"
#include "Libraries/Colour/HexText.h"

using namespace colour;

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
}  // namespace

TEST(ColourRgba, ReadsGreysAndColoursAndNeverHandsOutNaN) {
    EXPECT_EQ(rgba(cg::Color::white(0.5, 0.8)), (RGBA{0.5, 0.5, 0.5, 0.8}));
    EXPECT_EQ(rgba(cg::Color{0.1, 0.2, 0.3, 0.4}), (RGBA{0.1, 0.2, 0.3, 0.4}));
    // Extended-range components are read as they are.
    EXPECT_EQ(rgba(cg::Color{-0.3, 0.18, 1.2, 1}), (RGBA{-0.3, 0.18, 1.2, 1}));
    // A colour that cannot be read comes out as opaque black, like any unreadable colour.
    EXPECT_EQ(rgba(cg::Color{NaN, 0.5, 0.5, 0.5}), (RGBA{0, 0, 0, 1}));
    EXPECT_EQ(rgba(cg::Color{0.5, 0.5, 0.5, inf}), (RGBA{0, 0, 0, 1}));

    const cg::Color c{0.25, 0.5, 0.75, 0.6};
    EXPECT_EQ(rgbaComponents(c), (std::array<double, 4>{0.25, 0.5, 0.75, 0.6}));
    EXPECT_EQ(rgb(c), (RGB{0.25, 0.5, 0.75}));
    EXPECT_EQ(redValue(c), 0.25);
    EXPECT_EQ(greenValue(c), 0.5);
    EXPECT_EQ(blueValue(c), 0.75);
    EXPECT_EQ(cgAlpha(c), 0.6);
    EXPECT_EQ(coreImageColor(c), c);
}

TEST(ColourBytes, EveryByteSurvivesTheEightBitReadOutsAndHexTexts) {
    for (int n = 0; n <= 255; ++n) {
        const int m = 255 - n, k = (n * 7) % 256;
        const cg::Color c = *fromRGB(n, m, k, 1);
        EXPECT_EQ(rgb255(c), (RGB255{n, m, k}));
        EXPECT_EQ(rgba255(c), (std::array<int, 4>{n, m, k, 255}));
        EXPECT_EQ(hexValue(c), static_cast<std::uint32_t>((n << 16) + (m << 8) + k));
        const std::string text = hexString(c);
        EXPECT_EQ(*fromHexString(text), c) << text;
        EXPECT_EQ(fromHex(text), c) << text;
        EXPECT_EQ(hexString(*fromHexString(text)), text);
        EXPECT_EQ(hexString(*fromHexString(shortestHexString(c))), text);
    }
}

TEST(ColourBytes, EightBitValuesTruncateAndDoNotClamp) {
    EXPECT_EQ(rgb255(cg::Color{1, 0.5, 0.999, 1}), (RGB255{255, 127, 254}));
    EXPECT_EQ(rgb255(cg::Color{1.2, -0.3, 0, 1}), (RGB255{306, -76, 0}));
    EXPECT_EQ(eightBitValue(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(eightBitValue(NaN), 0);
}

TEST(ColourConstruction, ByteChannelsMustBeBytesAndAlphaIsClamped) {
    EXPECT_FALSE(fromRGB(255, 0, 256, 1));
    EXPECT_FALSE(fromRGB(-1, 0, 0, 1));
    EXPECT_EQ(*fromRGB(255, 128, 0, 1.5), (cg::Color{1, 128 / 255.0, 0, 1}));
    EXPECT_EQ(fromRGB(0, 0, 0, -2)->alpha, 0);
    EXPECT_EQ(fromRGB(0, 0, 0, NaN)->alpha, 1);

    EXPECT_EQ(fromRGBHex(0xFF8000, 0.5), (cg::Color{1, 128 / 255.0, 0, 0.5}));
    EXPECT_EQ(fromRGBHex(0x7F123456, 2), (cg::Color{0x12 / 255.0, 0x34 / 255.0, 0x56 / 255.0, 1}));
    EXPECT_EQ(fromRGBHex(-1, 1), (cg::Color{1, 1, 1, 1}));

    EXPECT_EQ(fromRGBA(1.5, -0.5, 0.25, 0.5), (cg::Color{1.5, -0.5, 0.25, 0.5}));
    EXPECT_EQ(fromRGBA(NaN, 0.5, -inf, NaN), (cg::Color{0, 0.5, 0, 1}));
}
