// image_info_peak: reads the image info of each file, as the collection of a job does, and prints it;
// run under bench/measure.py for the peak memory of those reads.
//
//   image_info_peak FILE...

#include <iostream>

#include "Platform/Image/ImageInfo.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string error;
        const auto info = image::readImageInfo(argv[i], &error);
        std::cout << argv[i] << ": ";
        if (info) {
            std::cout << info->pixelWidth << " x " << info->pixelHeight << " " << info->format
                      << (info->tooLarge ? " (too large)" : "") << "\n";
        } else {
            std::cout << "not read: " << error << "\n";
        }
    }
    return 0;
}
