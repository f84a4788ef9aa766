#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "Libraries/Colour/Adjustment.h"
#include "Libraries/Colour/Components.h"
#include "Libraries/Colour/HSB.h"
#include "Libraries/Colour/RandomColours.h"
#include "Libraries/Colour/Tones.h"

using namespace colour;

namespace {

// Answers every draw with the lowest or the highest value the bound allows, and records the bounds.
class ExtremeSource final : public RandomSource {
  public:
    explicit ExtremeSource(bool highest) : highest_(highest) {}
    std::uint32_t uniform(std::uint32_t upperBound) override {
        bounds.push_back(upperBound);
        return highest_ && upperBound > 0 ? upperBound - 1 : 0;
    }
    std::vector<std::uint32_t> bounds;

  private:
    bool highest_;
};

// Hands out the given values in turn, whatever the bound.
class ScriptedSource final : public RandomSource {
  public:
    explicit ScriptedSource(std::deque<std::uint32_t> values) : values_(std::move(values)) {}
    std::uint32_t uniform(std::uint32_t) override {
        const std::uint32_t v = values_.front();
        values_.pop_front();
        return v;
    }

  private:
    std::deque<std::uint32_t> values_;
};

}  // namespace

TEST(ColourRandom, RangesOfRandomLightAndDarkColours) {
    ExtremeSource low(false), high(true);
    EXPECT_EQ(rgb255(randomLight(low)), (RGB255{140, 140, 140}));
    EXPECT_EQ(rgb255(randomLight(high)), (RGB255{255, 240, 240}));
    EXPECT_EQ(low.bounds, (std::vector<std::uint32_t>{116, 101, 101}));
    EXPECT_EQ(rgb255(randomDark(low)), (RGB255{70, 70, 70}));
    EXPECT_EQ(rgb255(randomDark(high)), (RGB255{200, 170, 170}));
    EXPECT_EQ(randomDark(high).alpha, 1);

    ScriptedSource bytes({0, 128, 255});
    EXPECT_EQ(random(bytes), (cg::Color{0, 128 / 255.0, 1, 1}));
    // A source that breaks its contract still yields a colour within range.
    ScriptedSource broken({1000, 1000, 1000});
    EXPECT_EQ(rgb255(randomLight(broken)), (RGB255{140 + 1000 % 116, 140 + 1000 % 101, 140 + 1000 % 101}));
}

TEST(ColourRandom, SystemSourceStaysInBoundsAndVaries) {
    std::set<std::uint32_t> seen;
    for (int i = 0; i < 2000; ++i) {
        const std::uint32_t v = systemRandom().uniform(10);
        ASSERT_LT(v, 10u);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 10u);
    EXPECT_EQ(systemRandom().uniform(0), 0u);
    EXPECT_EQ(systemRandom().uniform(1), 0u);
    for (int i = 0; i < 200; ++i) {
        const RGB255 v = rgb255(randomLight());
        EXPECT_TRUE(v.red >= 140 && v.green >= 140 && v.green <= 240 && v.blue >= 140 && v.blue <= 240);
    }
}

TEST(ColourTones, ListsHoldTheirSinglePrecisionTones) {
    const auto light = lightTones(), deep = deepTones(), mixed = mixedTones();
    ASSERT_EQ(light.size(), 11u);
    ASSERT_EQ(deep.size(), 11u);
    ASSERT_EQ(mixed.size(), 21u);
    EXPECT_EQ(light.front(), (cg::Color{0.9672298f, 0.7923976f, 0.49467695f, 1}));
    EXPECT_EQ(light.back(), (cg::Color{0.99931294f, 0.9354852f, 0.62703854f, 1}));
    EXPECT_EQ(deep.front(), (cg::Color{0.8677177f, 0.56597894f, 0.004649403f, 1}));
    EXPECT_EQ(deep.back(), (cg::Color{0.80385697f, 0.7041574f, 0.163424f, 1}));
    EXPECT_EQ(mixed.front(), (cg::Color{0.9074796f, 0.29695275f, 0.2355834f, 1}));
    EXPECT_EQ(mixed.back(), (cg::Color{0.31379348f, 0.39459977f, 0.6310596f, 1}));
    EXPECT_EQ(light[0].red, 0.96722978353500366);  // widened from float, not the decimal text
}

TEST(ColourTones, RandomPicksAndPairsComeFromOneIndex) {
    const auto light = lightTones(), deep = deepTones();
    ScriptedSource four({4});
    EXPECT_EQ(randomFlat(four), light[4]);

    ScriptedSource seven({7});
    const auto shaded = randomShadedPair(seven);
    EXPECT_EQ(shaded[1], light[7]);
    EXPECT_NEAR(shaded[0].red, light[7].red - 0.25, 1e-12);
    EXPECT_NEAR(shaded[0].green, light[7].green - 0.25, 1e-12);
    EXPECT_NEAR(shaded[0].blue, light[7].blue - 0.25, 1e-12);
    EXPECT_EQ(shaded[0].alpha, light[7].alpha);

    ScriptedSource two({2});
    const auto tones = randomTonePair(0.1, two);
    EXPECT_EQ(tones[0], brightened(deep[2], 0.1));
    EXPECT_EQ(tones[1], brightened(light[2], 0.1));
    EXPECT_NEAR(brightnessValue(tones[0]), brightnessValue(deep[2]) * 1.1, 1e-9);

    ExtremeSource high(true);
    EXPECT_EQ(randomFlat(high), light.back());
    EXPECT_EQ(high.bounds, (std::vector<std::uint32_t>{11}));
}
