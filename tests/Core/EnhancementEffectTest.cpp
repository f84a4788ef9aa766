#include "Core/Effects/EnhancementEffect.h"

#include <gtest/gtest.h>

using core::FilterDefinition;
using core::FilterEffect;

namespace {

const std::vector<FilterDefinition> proposals = {
    FilterDefinition::vibrance(0.3),
    FilterDefinition::toneCurve({{0, 0.1}, {0.25, 0.3}, {0.5, 0.6}, {0.75, 0.8}, {1, 1}}),
    FilterDefinition::dynamicRange({0.8, 0.4, 2}), FilterDefinition::contrast(1.2)};

}  // namespace

TEST(FilterEffect, NamesIntensitiesAndRawValues) {
    EXPECT_EQ(FilterEffect(FilterEffect::autoEnhance).name(), "AutoEnhance");
    EXPECT_EQ(FilterEffect(FilterEffect::enhance).name(), "EnhanceV1");
    EXPECT_EQ(FilterEffect(FilterEffect::autoEnhance).defaultIntensity(), 1.0);
    EXPECT_EQ(FilterEffect(FilterEffect::enhance).defaultIntensity(), 0.5);
    EXPECT_EQ(FilterEffect::fromRawValue(1), FilterEffect(FilterEffect::enhance));
    EXPECT_FALSE(FilterEffect::fromRawValue(2));
    EXPECT_FALSE(FilterEffect::fromRawValue(-1));
    EXPECT_EQ(FilterEffect::allEffects(),
              (std::vector<FilterEffect>{FilterEffect::autoEnhance, FilterEffect::enhance}));
}

TEST(FilterEffect, AutoEnhanceScalesEachProposalFromItsStart) {
    const FilterEffect effect(FilterEffect::autoEnhance);
    EXPECT_TRUE(effect.adjustedDefinitions({}, 1).empty());
    const auto full = effect.adjustedDefinitions(proposals, 1.0);
    EXPECT_EQ(full, proposals);
    const auto half = effect.adjustedDefinitions(proposals, 0.5);
    EXPECT_EQ(half[0], FilterDefinition::vibrance(0.15));
    EXPECT_EQ(half[2], FilterDefinition::dynamicRange({0.9, 0.2, 1}));
    EXPECT_EQ(half[3], FilterDefinition::contrast(1.1));
}

TEST(FilterEffect, EnhanceAtHalfKeepsTheProposalsAndEndsWithNeutralExtras) {
    const auto out = FilterEffect(FilterEffect::enhance).adjustedDefinitions(proposals, 0.5);
    ASSERT_EQ(out.size(), proposals.size() + 2);
    for (size_t i = 0; i < proposals.size(); ++i) EXPECT_EQ(out[i], proposals[i]) << i;
    EXPECT_EQ(out[4], FilterDefinition::starting(FilterDefinition::Kind::toneCurve));
    EXPECT_EQ(out[5], FilterDefinition::vibrance(0));
}

TEST(FilterEffect, EnhanceAtFullDoublesVibranceAndRangeAndAddsTheLiftedCurve) {
    const auto out = FilterEffect(FilterEffect::enhance).adjustedDefinitions(proposals, 1.0);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[0], FilterDefinition::vibrance(0.6));
    EXPECT_EQ(out[1], proposals[1]);  // curves move at most all the way
    EXPECT_EQ(out[2], FilterDefinition::dynamicRange({0.6, 0.8, 4}));
    EXPECT_EQ(out[3], FilterDefinition::contrast(1.8));  // fraction 4, not clamped
    EXPECT_EQ(out[4], FilterDefinition::toneCurve({{0, 0}, {0.25, 0.22}, {0.5, 0.5}, {0.75, 0.75}, {1, 1}}));
    EXPECT_EQ(out[5], FilterDefinition::vibrance(0.2));
}

TEST(FilterEffect, EnhanceAtZeroNeutralisesCurvesRangesAndVibrance) {
    const auto out = FilterEffect(FilterEffect::enhance).adjustedDefinitions(proposals, 0.0);
    EXPECT_EQ(out[0], FilterDefinition::vibrance(0));
    EXPECT_EQ(out[1], FilterDefinition::starting(FilterDefinition::Kind::toneCurve));
    EXPECT_EQ(out[2], FilterDefinition::dynamicRange({1, 0, 0}));
    EXPECT_EQ(out[3], FilterDefinition::contrast(1));
    EXPECT_EQ(FilterEffect(FilterEffect::enhance).adjustedDefinitions({}, 0).size(), 2u);
}
