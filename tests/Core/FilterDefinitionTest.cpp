#include "Core/Effects/AutoAdjust.h"
#include "Core/Effects/FilterDefinition.h"

#include <gtest/gtest.h>

using core::FilterDefinition;
using Kind = FilterDefinition::Kind;

namespace {

FilterDefinition::ToneCurve curveOffset(double d) {
    return {{0 + d, 0}, {0.25, 0.25 + d}, {0.5, 0.5}, {0.75, 0.75}, {1, 1 - d}};
}

}  // namespace

TEST(FilterDefinition, ParametersNameOnlyTheirOwnInputs) {
    EXPECT_EQ(FilterDefinition::exposure(0.5).filterName(), "CIExposureAdjust");
    EXPECT_EQ(std::get<double>(FilterDefinition::exposure(0.5).parameters().at("inputEV")), 0.5);
    const auto contrast = FilterDefinition::contrast(1.2).parameters();
    EXPECT_EQ(contrast.size(), 1u);
    EXPECT_EQ(std::get<double>(contrast.at("inputContrast")), 1.2);
    EXPECT_EQ(FilterDefinition::brightness(0.1).filterName(), "CIColorControls");
    const auto range = FilterDefinition::dynamicRange({0.8, 0.3, 2}).parameters();
    EXPECT_EQ(range.size(), 4u);
    EXPECT_EQ(std::get<int>(range.at("inputVersion")), 0);
    EXPECT_EQ(std::get<double>(range.at("inputShadowAmount")), 0.3);
    EXPECT_TRUE(FilterDefinition::gaussianBlur(3).parameters().empty());
    const auto curve = FilterDefinition::toneCurve(curveOffset(0.1)).parameters();
    EXPECT_EQ(std::get<std::vector<double>>(curve.at("inputPoint1")), (std::vector<double>{0.25, 0.35}));
}

TEST(FilterDefinition, EqualityAllowsLessThanOneHundredthPerValue) {
    EXPECT_EQ(FilterDefinition::toneCurve(curveOffset(0)), FilterDefinition::toneCurve(curveOffset(0.009)));
    EXPECT_NE(FilterDefinition::toneCurve(curveOffset(0)), FilterDefinition::toneCurve(curveOffset(0.011)));
    EXPECT_EQ(FilterDefinition::dynamicRange({1, 0, 0}), FilterDefinition::dynamicRange({0.995, 0.005, 0}));
    EXPECT_NE(FilterDefinition::dynamicRange({1, 0, 0}), FilterDefinition::dynamicRange({1, 0, 0.02}));
    EXPECT_NE(FilterDefinition::contrast(1), FilterDefinition::brightness(1));
    EXPECT_EQ(FilterDefinition::vibrance(0.3), FilterDefinition::vibrance(0.305));

    // A difference of exactly one hundredth is a difference, for every value of every kind.
    std::vector<std::pair<FilterDefinition, FilterDefinition>> hundredthApart{
        {FilterDefinition::exposure(0), FilterDefinition::exposure(0.01)},
        {FilterDefinition::vibrance(0.01), FilterDefinition::vibrance(0)},
        {FilterDefinition::contrast(0), FilterDefinition::contrast(-0.01)},
        {FilterDefinition::brightness(0), FilterDefinition::brightness(0.01)},
        {FilterDefinition::gaussianBlur(0), FilterDefinition::gaussianBlur(0.01)},
        {FilterDefinition::dynamicRange({0, 0, 0}), FilterDefinition::dynamicRange({0.01, 0, 0})},
        {FilterDefinition::dynamicRange({0, 0, 0}), FilterDefinition::dynamicRange({0, 0.01, 0})},
        {FilterDefinition::dynamicRange({0, 0, 0}), FilterDefinition::dynamicRange({0, 0, 0.01})},
    };
    for (int coordinate = 0; coordinate < 10; ++coordinate) {
        FilterDefinition::ToneCurve moved{};
        cg::Point* points[] = {&moved.p0, &moved.p1, &moved.p2, &moved.p3, &moved.p4};
        (coordinate % 2 ? points[coordinate / 2]->y : points[coordinate / 2]->x) = 0.01;
        hundredthApart.push_back({FilterDefinition::toneCurve({}), FilterDefinition::toneCurve(moved)});
    }
    for (const auto& [a, b] : hundredthApart) {
        EXPECT_NE(a, b) << a.description() << " and " << b.description();
        EXPECT_NE(b, a) << b.description() << " and " << a.description();
    }
}

TEST(FilterDefinition, InterpolationBlendsTheSameKindAndRefusesEverythingElseAloud) {
    EXPECT_EQ(FilterDefinition::vibrance(0).interpolate(FilterDefinition::vibrance(0.4), 0.5),
              FilterDefinition::vibrance(0.2));
    const auto start = FilterDefinition::starting(Kind::toneCurve);
    const auto end = FilterDefinition::toneCurve({{0.1, 0}, {0.3, 0.2}, {0.5, 0.6}, {0.7, 0.8}, {0.9, 1}});
    EXPECT_EQ(start.interpolate(end, 1.0), end);
    EXPECT_EQ(start.interpolate(end, 0.0), start);
    EXPECT_NEAR(start.interpolate(end, 0.5).curve()->p2.y, 0.55, 1e-12);
    const auto range = FilterDefinition::starting(Kind::dynamicRange)
                           .interpolate(FilterDefinition::dynamicRange({0.5, 0.4, 10}), 0.5);
    EXPECT_EQ(range, FilterDefinition::dynamicRange({0.75, 0.2, 5}));

    testing::internal::CaptureStdout();
    const auto kept = FilterDefinition::vibrance(0.1).interpolate(FilterDefinition::contrast(2), 0.5);
    const auto exposure = FilterDefinition::exposure(1).interpolate(FilterDefinition::exposure(2), 0.5);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(kept, FilterDefinition::vibrance(0.1));
    EXPECT_EQ(exposure, FilterDefinition::exposure(1));
    EXPECT_EQ(printed.rfind("Trying to interpolate incompatible types: vibrance(0.1) - contrast(2)\n", 0), 0u)
        << printed;
    EXPECT_NE(printed.find("Trying to interpolate incompatible types: exposure(1) - exposure(2)\n"),
              std::string::npos);
}

TEST(FilterDefinition, ReadsBackOnlyVibranceHighlightShadowAndToneCurveFilters) {
    for (const auto& definition :
         {FilterDefinition::vibrance(0.25), FilterDefinition::dynamicRange({0.7, 0.2, 3}),
          FilterDefinition::toneCurve(curveOffset(0.05))}) {
        const auto filter = core::makeFilter(definition);
        ASSERT_TRUE(filter);
        const auto back = FilterDefinition::fromFilter(*filter);
        ASSERT_TRUE(back) << definition.description();
        EXPECT_EQ(*back, definition);
    }
    EXPECT_FALSE(FilterDefinition::fromFilter(*core::makeFilter(FilterDefinition::exposure(1))));
    EXPECT_FALSE(FilterDefinition::fromFilter(*core::makeFilter(FilterDefinition::contrast(1))));
    // An integer amount is not a floating-point value, so the filter is not read back.
    auto vibrance = *ci::Filter::named("CIVibrance");
    vibrance.setValue("inputAmount", 1);
    EXPECT_FALSE(FilterDefinition::fromFilter(vibrance));
    // Setting a definition on an existing filter changes only its own inputs.
    auto controls = *ci::Filter::named("CIColorControls", {{"inputSaturation", 0.0}});
    core::applyDefinition(controls, FilterDefinition::contrast(1.5));
    EXPECT_EQ(std::get<double>(*controls.value("inputContrast")), 1.5);
    EXPECT_EQ(std::get<double>(*controls.value("inputSaturation")), 0.0);
}
