// decode_paths: reads each file on every path that decodes one outside a job (its image info, a
// 256-pixel thumbnail as the open panel and the lists make, the whole image as the preview decodes
// it) and prints what each gave; first the job's decode budget on this machine. Run under `ulimit -v`
// to see that no path ends the process when memory cannot be had. With --only, only that path runs,
// so that bench/measure.py gives its own peak.
//
//   decode_paths [--only info|thumbnail|image] FILE...

#include <iostream>
#include <string_view>

#include "Platform/Image/DecodeBudget.h"
#include "Platform/Image/DecodeWarnings.h"
#include "Platform/Image/ImageInfo.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/Thumbnail.h"

int main(int argc, char** argv) {
    std::cout << "decode budget: " << image::DecodeBudget::defaultBytes() / (1024 * 1024) << " MB\n";
    int first = 1;
    std::string_view only;
    if (argc > 2 && std::string_view(argv[1]) == "--only") only = argv[2], first = 3;
    const auto runs = [&](std::string_view path) { return only.empty() || only == path; };
    for (int i = first; i < argc; ++i) {
        const image::DecodeWarnings warnings;
        std::string error;
        std::cout << argv[i] << ":";
        if (runs("info")) {
            const auto info = image::readImageInfo(argv[i], &error);
            std::cout << " info " << (info ? "read" : "not read: " + error) << ";";
        }
        if (runs("thumbnail")) {
            const auto small = image::thumbnail(argv[i], {256, 256});
            std::cout << " thumbnail " << (small ? "made" : "none") << ";";
        }
        if (runs("image")) {
            const auto whole = image::loadImage(argv[i], &error);
            const auto rendered = whole ? std::optional(image::rendered(*whole)) : std::nullopt;
            std::cout << " image " << (whole ? "loaded" : "not loaded: " + error);
        }
        const auto info = image::readImageInfo(argv[i]);
        const auto verdict = warnings.verdict(argv[i], info ? info->format : std::string());
        if (verdict.kind == image::ReadVerdict::Kind::NotAboutTheFile)
            std::cout << " (" << verdict.words << ")";
        std::cout << std::endl;
    }
    return 0;
}
