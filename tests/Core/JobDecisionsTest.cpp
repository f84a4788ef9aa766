#include <gtest/gtest.h>

#include <algorithm>

#include "Core/Effects/FMFilter.h"
#include "Core/Job/JobDecisions.h"
#include "TestImages.h"

using namespace core;

namespace {

const PresetInfo kPlaceholder{{"markDummy", true}};

JobParameters placeholderJob() {
    JobParameters p;
    p.presets = {kPlaceholder};
    return p;
}

}  // namespace

TEST(JobDecisions, CopyOnlyOnlyForAPlainPlaceholderRun) {
    EXPECT_TRUE(decideCopyOnly(placeholderJob()));
    for (const char* format : {"", "   ", " default\n", "DEFAULT"}) {
        auto p = placeholderJob();
        p.outputFormat = format;
        EXPECT_TRUE(decideCopyOnly(p)) << "'" << format << "'";
    }
    auto png = placeholderJob();
    png.outputFormat = "png";
    EXPECT_FALSE(decideCopyOnly(png));

    auto original = placeholderJob();
    original.effectFilter = FMFilter::shared(FMFilter::fromDisplayName("Original"));
    EXPECT_FALSE(decideCopyOnly(original)) << "any effect, even Original, makes the job process images";

    auto enhanceOff = placeholderJob();
    enhanceOff.isAutoEnhanced = false;
    EXPECT_TRUE(decideCopyOnly(enhanceOff));
    auto enhanceOn = placeholderJob();
    enhanceOn.isAutoEnhanced = true;
    EXPECT_FALSE(decideCopyOnly(enhanceOn));

    const auto mark = testsupport::makeTestImage(4, 4);
    auto emptyText = placeholderJob();
    emptyText.watermarkOptions = WatermarkOptions{std::string(), mark, std::nullopt, std::nullopt};
    EXPECT_TRUE(decideCopyOnly(emptyText)) << "an empty text suppresses the image mark";
    auto imageMark = placeholderJob();
    imageMark.watermarkOptions = WatermarkOptions{std::nullopt, mark, std::nullopt, std::nullopt};
    EXPECT_FALSE(decideCopyOnly(imageMark));

    auto two = placeholderJob();
    two.presets.push_back(kPlaceholder);
    EXPECT_FALSE(decideCopyOnly(two));
    JobParameters ordinary;
    ordinary.presets = {PresetInfo{{"presetName", "SD"}, {"presetWidth", 720}, {"presetHeight", 480}}};
    EXPECT_FALSE(decideCopyOnly(ordinary));
}

TEST(JobDecisions, PreviewPanelFollowsSaliencyAndOfferedEffects) {
    JobParameters p;
    p.presets = {PresetInfo{{"presetName", "A"}, {"presetWidth", 100}}};
    EXPECT_FALSE(previewPanelWanted(p));

    auto forced = p;
    forced.forcePreview = true;
    EXPECT_TRUE(previewPanelWanted(forced));

    auto saliency = p;
    saliency.presets[0]["autoSaliency"] = true;
    EXPECT_TRUE(previewPanelWanted(saliency));
    auto placeholderSaliency = p;
    placeholderSaliency.presets = {PresetInfo{{"markDummy", true}, {"autoSaliency", true}}};
    EXPECT_FALSE(previewPanelWanted(placeholderSaliency));

    auto none = p;
    none.effectFilter = FMFilter::shared(FMFilter::fromDisplayName("Original"));
    EXPECT_FALSE(previewPanelWanted(none));

    auto enhance = p;
    enhance.presets[0]["imageEffectFilter"] = "AutoEnhance";
    EXPECT_TRUE(previewPanelWanted(enhance));
    auto original = p;
    original.presets[0]["imageEffectFilter"] = "Original";
    EXPECT_FALSE(previewPanelWanted(original));
    // Effects of the catalogue that the effects grid does not offer (generators, transitions, the
    // vignettes) cannot be chosen, so a stored name of theirs shows no panel.
    for (const auto kind : {FMFilter::Case::YUCIStarfieldGenerator, FMFilter::Case::YUCISkyGenerator,
                            FMFilter::Case::YUCIFlashTransition, FMFilter::Case::CIVignette}) {
        const std::string name = FMFilter(kind).displayName();
        SCOPED_TRACE(name);
        const auto& all = FMFilter::allCases();
        ASSERT_NE(
            std::find_if(all.begin(), all.end(), [&](const FMFilter& f) { return f.displayName() == name; }),
            all.end())
            << "a name of the catalogue";
        auto outside = p;
        outside.presets[0]["imageEffectFilter"] = name;
        EXPECT_FALSE(previewPanelWanted(outside));
        // The same preset with an offered effect besides it does show the panel.
        outside.presets.push_back(PresetInfo{{"presetName", "B"}, {"imageEffectFilter", "Sepia"}});
        EXPECT_TRUE(previewPanelWanted(outside));
    }
}

TEST(JobDecisions, OutputFormatAndEffectChoice) {
    const PresetInfo png{{"outputFormat", ".png"}};
    const PresetInfo keep{{"outputFormat", "Default"}};
    EXPECT_EQ(outputFormatForPreset(std::nullopt, png), "png");
    EXPECT_EQ(outputFormatForPreset(std::string("Default"), png), "png");
    EXPECT_EQ(outputFormatForPreset(std::string("tiff"), png), "tiff");
    EXPECT_EQ(outputFormatForPreset(std::nullopt, keep), std::nullopt);
    EXPECT_EQ(outputFormatForPreset(std::string(" "), PresetInfo{}), std::nullopt);

    const PresetInfo enhanced{{"imageEffectFilter", "AutoEnhance"}};
    const auto effect = effectForPreset(nullptr, enhanced);
    ASSERT_TRUE(effect);
    EXPECT_TRUE(isAutoEnhanceEffect(*effect));
    // The job's "Original" gives way to the preset's own effect; no effect at all gives none.
    EXPECT_TRUE(effectForPreset(FMFilter::shared(FMFilter::fromDisplayName("Original")), enhanced));
    EXPECT_FALSE(effectForPreset(nullptr, PresetInfo{{"imageEffectFilter", "Original"}}));
    EXPECT_FALSE(effectForPreset(nullptr, PresetInfo{}));
}
