// smart_crop_stages: where the time of one smart crop goes. For each photo, crops it to the target the way a
// job does (one libvips thread, as each job worker has) and prints the CPU time of every stage: the one
// decode of the file (fine enough for the detectors' copy, and for the target when it covers it), the small
// copy the detectors see, the grey copy, the face cascade, the confirming cascades, both saliency maps, the
// window cut from the decode and scaled to the target, and the JPEG encode. Beside them, stages the crop does
// not have: a decode for the target alone, a second decode for the fallback without a face, and a Haar scan
// of the whole copy. CPU time of the whole process, the least of three runs.
//
//   smart_crop_stages WIDTH HEIGHT PHOTO...

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>

#include "Core/Crop/CropAnalysis.h"
#include "Core/Crop/CropArea.h"
#include "Core/Crop/CropCut.h"
#include "CpuTime.h"
#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Vision/FaceRequest.h"
#include "Platform/Vision/SaliencyRequest.h"

namespace {

using bench::cpuMilliseconds;
using bench::leastOfThree;

// A cascade alone: a folder holding it without the confirming cascade beside it.
std::string cascadeAlone(const std::filesystem::path& cascade) {
    const auto folder =
        std::filesystem::temp_directory_path() / "smart_crop_stages" / cascade.parent_path().filename();
    std::filesystem::create_directories(folder);
    const auto copy = folder / std::filesystem::path(cascade).filename();
    std::filesystem::copy_file(cascade, copy, std::filesystem::copy_options::overwrite_existing);
    return copy.string();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: smart_crop_stages WIDTH HEIGHT PHOTO...\n");
        return 2;
    }
    const cg::Size target{std::stod(argv[1]), std::stod(argv[2])};
    const auto cascade = vision::FaceRequest::defaultCascadePath();
    if (!cascade) {
        std::fprintf(stderr, "the face model of opencv-data is not installed\n");
        return 1;
    }
    const vision::FaceRequest both(*cascade), first(cascadeAlone(*cascade));
    // The Haar scan the face finder used before, for comparison.
    const vision::FaceRequest haar(cascadeAlone(std::filesystem::path(*cascade).parent_path().parent_path() /
                                                "haarcascades" / "haarcascade_frontalface_default.xml"));
    const image::PipelineThreadsScope oneThread(1);
    std::printf("%-28s %7s %7s %7s %7s %7s %7s %7s %7s %7s | %7s %7s %7s\n", "photo", "decode", "copy",
                "grey", "faces1", "faces2", "salObj", "salAtt", "cut", "encode", "ownDec", "fallbk", "haar");
    for (int i = 3; i < argc; ++i) {
        const std::filesystem::path path = argv[i];
        const auto header = image::loadImage(path);
        if (!header) continue;
        const cg::Size original = header->size();
        const cg::Size cover = core::coveringSize(original, target);

        std::optional<image::Image> decoded, copy;
        const double decodeMs = leastOfThree(
            [&] { decoded = image::rendered(*image::loadImage(path, core::analysisDecodeSize(original))); });
        const double copyMs = leastOfThree([&] { copy = core::analysisCopyOf(*decoded); });
        std::optional<vision::ImageRequestHandler> handler;
        const double greyMs = leastOfThree([&] { handler.emplace(*copy); });
        vision::FaceRequestResult faces;
        const double firstMs = leastOfThree([&] { faces = first.perform(*handler); });
        const double bothMs = leastOfThree([&] { faces = both.perform(*handler); });
        const double objectMs = leastOfThree(
            [&] { vision::SaliencyRequest(vision::SaliencyKind::objectnessBased).perform(*handler); });
        const double attentionMs = leastOfThree(
            [&] { vision::SaliencyRequest(vision::SaliencyKind::attentionBased).perform(*handler); });
        // The window a face would give, or the centre when there is none: the cut costs the same.
        std::optional<image::Image> cut;
        const cg::Rect centre((cover.width - target.width) / 2, (cover.height - target.height) / 2,
                              target.width, target.height);
        const double cutMs = leastOfThree(
            [&] { cut = image::rendered(*core::cutToTarget(*decoded, cover, centre, target, nullptr)); });
        const double encodeMs = leastOfThree([&] { image::encodedData(*cut, image::FileType::JPEG, 1.0); });
        const double ownDecodeMs =
            leastOfThree([&] { image::rendered(*image::resized(*image::loadImage(path, cover), cover)); });
        const double fallbackMs = leastOfThree([&] {
            image::rendered(
                *image::aspectFillCropped(*image::resized(*image::loadImage(path, cover), cover), target));
        });
        const double haarMs = leastOfThree([&] { haar.perform(*handler); });
        std::printf(
            "%-28s %7.1f %7.1f %7.1f %7.1f %7.1f %7.1f %7.1f %7.1f %7.1f | %7.1f %7.1f %7.1f  faces %zu\n",
            path.filename().c_str(), decodeMs, copyMs, greyMs, firstMs, bothMs - firstMs, objectMs,
            attentionMs, cutMs, encodeMs, ownDecodeMs, fallbackMs, haarMs, faces.results.size());
    }
    return 0;
}
