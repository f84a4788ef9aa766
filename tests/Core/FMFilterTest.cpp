#include "Core/Effects/FMFilter.h"
#include "Core/Effects/FilterStore.h"
#include "Platform/Image/VipsImage.h"
#include "Support/SyntheticPhoto.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>

using core::FMFilter;
using Case = FMFilter::Case;

namespace {

image::Image photo(int w = 48, int h = 32) {
    return image::fromVips(testsupport::syntheticPhoto(w, h));
}

std::vector<std::string> displayNames(const std::vector<FMFilter>& filters) {
    std::vector<std::string> names;
    for (const auto& f : filters) names.push_back(f.displayName());
    return names;
}

}  // namespace

TEST(FMFilter, TheCatalogueHas41CasesAndTheGridOffers31InItsOrder) {
    ASSERT_EQ(FMFilter::allCases().size(), 41u);
    EXPECT_EQ(FMFilter::allCases().front().caseName(), "None");
    EXPECT_EQ(FMFilter::allCases().back().caseName(), "YUCISkyGenerator");
    EXPECT_EQ(displayNames(FMFilter::allFilters()),
              (std::vector<std::string>{
                  "Original",   "AutoEnhance",  "Chrome",    "Instant",    "Sharpen",    "Color Lookup",
                  "Tone Curve", "Surface Blur", "FXAA",      "HEZ",        "CLAHE",      "Mono",
                  "Process",    "Transfer",     "Sepia",     "Noir",       "Fade",       "Tonal",
                  "Less Noise", "Component",    "Posterize", "Monochrome", "Invert",     "Color",
                  "Color Cube", "Pixellate",    "SpotColor", "Hexagonal",  "Triangular", "Blur",
                  "LineOverlay"}));
    // Display names are unique but for the two vignettes, neither of which the grid offers.
    std::map<std::string, int> counts;
    for (const auto& f : FMFilter::allCases()) ++counts[f.displayName()];
    for (const auto& [name, count] : counts) EXPECT_EQ(count, name == "Vignette" ? 2 : 1) << name;
    EXPECT_EQ(FMFilter(Case::YUCIBlobsGenerator).displayName(), "YUCIBlobsGenerator");
}

TEST(FMFilter, FromDisplayNameFindsOfferedEffectsOnlyAndFallsBackToOriginal) {
    EXPECT_EQ(FMFilter::fromDisplayName("Sepia"), FMFilter(Case::CISepiaTone));
    EXPECT_EQ(FMFilter::fromDisplayName("Less Noise"), FMFilter(Case::CINoiseReduction));
    EXPECT_EQ(FMFilter::fromDisplayName("AutoEnhance"), FMFilter(Case::CIPhotoEffectAutoEnhance));
    EXPECT_TRUE(FMFilter::fromDisplayName("Original").isNone());
    EXPECT_TRUE(FMFilter::fromDisplayName("Vignette").isNone());
    EXPECT_TRUE(FMFilter::fromDisplayName("Polynomial").isNone());
    EXPECT_TRUE(FMFilter::fromDisplayName("YUCISkyGenerator").isNone());
    EXPECT_TRUE(FMFilter::fromDisplayName("sepia").isNone());
    EXPECT_TRUE(FMFilter::fromDisplayName("").isNone());
    EXPECT_TRUE(FMFilter::fromDisplayName("Original").isOriginal());
    EXPECT_FALSE(FMFilter::fromDisplayName("Blur").isOriginal());
}

TEST(FMFilter, CasesWithoutAFilterReturnTheVerySameImage) {
    const image::Image input = photo();
    for (const auto c : {Case::None, Case::CIPhotoEffectAutoEnhance}) {
        EXPECT_FALSE(FMFilter(c).ciFilter());
        const auto out = FMFilter(c).apply(input);
        ASSERT_TRUE(out);
        EXPECT_TRUE(out->isSameObject(input));
    }
    const auto shared = FMFilter::shared(FMFilter(Case::CIPhotoEffectNoir));
    EXPECT_EQ(shared->displayName(), "Noir");
    EXPECT_FALSE(shared->apply(input)->isSameObject(input));
}

TEST(FMFilter, EveryOtherCaseHasAFilterThatKeepsThePhotosSize) {
    const image::Image input = photo(50, 30);
    for (const auto& f : FMFilter::allCases()) {
        if (f.isNone() || f.filterCase() == Case::CIPhotoEffectAutoEnhance) continue;
        EXPECT_TRUE(f.ciFilter()) << f.caseName();
        const auto out = f.apply(input);
        ASSERT_TRUE(out) << f.caseName();
        EXPECT_FALSE(out->isSameObject(input)) << f.caseName();
        EXPECT_EQ(out->width(), 50) << f.caseName();
        EXPECT_EQ(out->height(), 30) << f.caseName();
    }
}

TEST(FMFilter, AGeneratorIgnoresThePhotoAndFillsItsExtent) {
    const FMFilter sky(Case::YUCISkyGenerator);
    const auto a = sky.apply(photo(64, 40));
    const auto b = sky.apply(image::fromVips(testsupport::darkFlatPhoto(64, 40)));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->width(), 64);
    EXPECT_EQ(a->height(), 40);
    EXPECT_EQ((image::toVips(*a).cast(VIPS_FORMAT_FLOAT) - image::toVips(*b)).abs().max(), 0);
}

TEST(FMFilter, EffectsAppliedFromSeveralThreadsAtOnceGiveTheSameResults) {
    const image::Image input = photo(64, 48);
    auto render = [&](const FMFilter& f) {
        const vips::VImage out = image::toVips(*f.apply(input));
        size_t length = 0;
        void* data = out.write_to_memory(&length);
        std::string bytes(static_cast<char*>(data), length);
        g_free(data);
        return bytes;
    };
    std::vector<std::string> expected;
    for (const auto& f : FMFilter::allFilters()) expected.push_back(render(f));
    std::vector<std::vector<std::string>> results(4);
    std::vector<std::thread> threads;
    for (auto& result : results)
        threads.emplace_back([&] {
            for (const auto& f : FMFilter::allFilters()) result.push_back(render(f));
        });
    for (auto& t : threads) t.join();
    for (const auto& result : results) EXPECT_EQ(result, expected);
}

TEST(FMFilterStore, BuildsItsFourteenConfiguredFiltersOnce) {
    const auto& filters = core::FilterStore::filters();
    ASSERT_EQ(filters.size(), 14u);
    EXPECT_FALSE(filters[0]);
    for (size_t i = 1; i < filters.size(); ++i) EXPECT_TRUE(filters[i]) << i;
    EXPECT_EQ(filters[1]->name(), "YUCIColorLookup");
    EXPECT_TRUE(filters[1]->value("inputColorLookupTable")) << "the application's lookup table is missing";
    EXPECT_EQ(std::get<double>(*filters[8]->value("inputTime")), 6.0);
    EXPECT_EQ(&core::FilterStore::filters(), &filters);
}
