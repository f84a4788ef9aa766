// Milliseconds per megapixel for every effect of the catalogue, the other registered filters and the
// automatic enhancement, on a generated 12-megapixel photo held in memory (so decoding is not
// counted). Each effect is timed from the call until every output pixel has been computed, with
// libvips' own threads; the best of three runs is reported, with the CPU time of all threads beside
// it. Effects slower than 50 ms/MP are marked.
// Usage: effects_bench [width height]

#include "Core/Effects/FMFilter.h"
#include "Core/Effects/ImageEffectOption.h"
#include "CpuTime.h"
#include "Platform/Image/Filter.h"
#include "Platform/Image/VipsImage.h"
#include "Support/SyntheticPhoto.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <set>
#include <string>

namespace {

using bench::cpuMilliseconds;

struct Timing {
    double wall = 1e12, cpu = 1e12;  // milliseconds, the best of the runs
};

Timing best(const std::function<std::optional<image::Image>()>& effect) {
    Timing timing;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuMilliseconds();
        const auto out = effect();
        if (out) (void)image::toVips(*out).avg();  // pulls every pixel through the pipeline
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        timing.wall = std::min(timing.wall, elapsed.count());
        timing.cpu = std::min(timing.cpu, cpuMilliseconds() - cpuStart);
    }
    return timing;
}

// Wall time depends on how busy the machine is; CPU time (all threads together) much less so.
void report(const std::string& name, Timing t, double megapixels) {
    const double perMegapixel = t.wall / megapixels;
    std::printf("%-38s %7.1f ms/MP  (CPU %6.1f ms/MP)%s\n", name.c_str(), perMegapixel, t.cpu / megapixels,
                perMegapixel > 50 ? "  SLOW" : "");
}

double loadAverage() {
    double load = 0;
    if (FILE* f = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(f, "%lf", &load) != 1) load = 0;
        std::fclose(f);
    }
    return load;
}

}  // namespace

int main(int argc, char** argv) {
    const int width = argc > 2 ? std::atoi(argv[1]) : 4000, height = argc > 2 ? std::atoi(argv[2]) : 3000;
    (void)ci::Filter::named("CIColorInvert");  // starts libvips
    const image::Image photo = image::fromVips(testsupport::syntheticPhoto(width, height).copy_memory());
    const double megapixels = width * double(height) / 1e6;
    std::printf("%d x %d (%.1f MP), libvips threads: %d, load average: %.1f\n", width, height, megapixels,
                vips_concurrency_get(), loadAverage());

    std::set<std::string> timed;
    for (const auto& filter : core::FMFilter::allFilters()) {
        if (filter.isNone()) continue;
        if (filter.filterCase() == core::FMFilter::Case::CIPhotoEffectAutoEnhance) {
            report("AutoEnhance (option 5)", best([&] { return core::applyImageEffectOption(photo, 5); }),
                   megapixels);
            continue;
        }
        report(filter.displayName() + " (" + std::string(filter.caseName()) + ")",
               best([&] { return filter.apply(photo); }), megapixels);
        timed.insert(std::string(filter.caseName()));
    }
    std::printf("-- other registered filters --\n");
    for (const auto& name : ci::filterNames()) {
        if (timed.count(name)) continue;
        report(name, best([&] {
                   auto filter = ci::Filter::named(name);
                   if (filter->takesImage())
                       filter->setValue(ci::kInputImageKey, photo);
                   else
                       filter->setValue(ci::kInputExtentKey,
                                        std::vector<double>{0, 0, double(width), double(height)});
                   return filter->outputImage();
               }),
               megapixels);
    }
    return 0;
}
