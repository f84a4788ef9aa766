// faces_found: the faces the smart crops find in each photo, from the same copy of the file they analyse,
// for counting false faces over photos that hold none (or lost faces over portraits). Prints one line per
// photo: its name, how many faces, and each face box in the photo's pixels; the last line totals them.
//
//   faces_found PHOTO...

#include <iostream>

#include "Core/Crop/CropAnalysis.h"
#include "Core/Crop/FacePlacement.h"
#include "Platform/Image/ImageLoading.h"

int main(int argc, char** argv) {
    const core::FaceFinder findFaces = core::visionFaceFinder();
    int photos = 0, withFaces = 0, faces = 0;
    for (int i = 1; i < argc; ++i) {
        const auto header = image::loadImage(argv[i]);
        const auto copy = header ? core::analysisCopy(argv[i], header->size()) : std::nullopt;
        if (!copy) {
            std::cout << argv[i] << ": does not load\n";
            continue;
        }
        const cg::Size size = header->size();
        const core::CropAnalysis analysis = core::analyseForCrop(*copy, size, false, findFaces);
        ++photos;
        withFaces += !analysis.faces.empty();
        faces += int(analysis.faces.size());
        std::cout << argv[i] << ": " << analysis.faces.size();
        for (const cg::Rect& box : analysis.faces)
            std::cout << " (" << int(box.minX()) << "," << int(box.minY()) << " " << int(box.width()) << "x"
                      << int(box.height()) << ")";
        std::cout << "\n";
    }
    std::cout << photos << " photos, " << withFaces << " with faces, " << faces << " faces\n";
    return 0;
}
