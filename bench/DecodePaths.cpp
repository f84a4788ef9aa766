// decode_paths: reads each file on every path that decodes one outside a job (its image info, a
// 256-pixel thumbnail as the open panel and the lists make, the whole image as the preview decodes
// it) and prints what each gave; first the job's decode budget on this machine. Run under `ulimit -v`
// to see that no path ends the process when memory cannot be had.
//
//   decode_paths FILE...

#include <iostream>

#include "Platform/Image/DecodeBudget.h"
#include "Platform/Image/DecodeWarnings.h"
#include "Platform/Image/ImageInfo.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/Thumbnail.h"

int main(int argc, char** argv) {
    std::cout << "decode budget: " << image::DecodeBudget::defaultBytes() / (1024 * 1024) << " MB\n";
    for (int i = 1; i < argc; ++i) {
        const image::DecodeWarnings warnings;
        std::string error;
        const auto info = image::readImageInfo(argv[i], &error);
        std::cout << argv[i] << ": info " << (info ? "read" : "not read: " + error);
        const auto small = image::thumbnail(argv[i], {256, 256});
        std::cout << "; thumbnail " << (small ? "made" : "none");
        const auto whole = image::loadImage(argv[i], &error);
        const auto rendered = whole ? std::optional(image::rendered(*whole)) : std::nullopt;
        std::cout << "; image " << (whole ? "loaded" : "not loaded: " + error);
        if (const auto what = warnings.failureNotAboutTheFile()) std::cout << " (" << *what << ")";
        std::cout << std::endl;
    }
    return 0;
}
