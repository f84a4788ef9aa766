// crop_analysis_size: how the size of the copy the smart crops analyse changes what the detectors find
// and what they cost. For each photo and each long side, prints the time to make the copy, to find the
// faces and to find the salient objects, and the faces found (in the photo's pixels). Times are CPU time
// of the whole process (every thread), the least of three runs, so a busy machine changes them little.
//
//   crop_analysis_size PHOTO...

#include <algorithm>
#include <iostream>
#include <optional>

#include "Core/Crop/FaceDetector.h"
#include "Core/Crop/FacePlacement.h"
#include "Core/Crop/VisionSaliency.h"
#include "CpuTime.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/Thumbnail.h"

namespace {

using bench::cpuMilliseconds;
using bench::leastOfThree;

}  // namespace

int main(int argc, char** argv) {
    const core::FaceFinder findFaces = core::visionFaceFinder();
    for (int i = 1; i < argc; ++i) {
        const auto header = image::loadImage(argv[i]);
        if (!header) continue;
        const cg::Size size = header->size();
        std::cout << argv[i] << " " << size.width << " x " << size.height << "\n";
        for (const double side : {384.0, 512.0, 768.0, 1024.0, 1536.0}) {
            std::optional<image::Image> copy;
            const double copyMs = leastOfThree([&] { copy = image::thumbnail(argv[i], {side, side}); });
            if (!copy) continue;
            vision::FaceRequestResult faces;
            const double facesMs = leastOfThree([&] { faces = findFaces(*copy); });
            std::optional<cg::Rect> salient;
            const double salientMs =
                leastOfThree([&] { salient = core::VisionSaliency::salientUnionOf(*copy, size); });
            std::cout << "  side " << side << ": copy " << copyMs << " ms, faces " << facesMs
                      << " ms, saliency " << salientMs << " ms; faces:";
            for (const auto& face : faces.results) {
                const cg::Rect box = core::faceBox(face.boundingBox, size.width, size.height);
                std::cout << " (" << int(box.minX()) << "," << int(box.minY()) << " " << int(box.width())
                          << "x" << int(box.height()) << ")";
            }
            if (salient)
                std::cout << "; salient (" << int(salient->minX()) << "," << int(salient->minY()) << " "
                          << int(salient->width()) << "x" << int(salient->height()) << ")";
            std::cout << "\n";
        }
    }
    return 0;
}
