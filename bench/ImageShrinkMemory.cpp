// Peak resident memory of scaling a 10000 x 10000 JPEG to 1000 px wide through the shrink-on-load
// path, next to the same work from a full decode. Each step runs in a process of its own, so no step
// inherits another's heap. Prints both peaks; exits 1 when the shrink-on-load peak reaches the 200 MB
// budget. Usage: image_shrink_memory [work folder]

#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"

#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

constexpr int kSide = 10000;
constexpr int kTargetWidth = 1000;
constexpr double kBudgetMegabytes = 200;

double peakMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return -1;
}

void makeSource(const std::filesystem::path& path) {
    // A pattern with detail everywhere, generated and written in strips, never whole.
    const auto xy = vips::VImage::xyz(kSide, kSide);
    const auto x = xy.extract_band(0), y = xy.extract_band(1);
    const auto pattern = (x % 256).bandjoin(y % 256).bandjoin((x + y) % 256).cast(VIPS_FORMAT_UCHAR);
    pattern.copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB))
        .write_to_file(path.c_str(), vips::VImage::option()->set("Q", 90));
}

// Loads, scales to 1000 px wide and encodes; returns the peak memory of that alone, in MB.
double measure(const std::function<std::optional<image::Image>()>& load) {
    const auto loaded = load();
    if (!loaded) return -1;
    const double scale = double(kTargetWidth) / kSide;
    const auto scaled = image::resized(*loaded, {kTargetWidth, std::floor(kSide * scale)});
    const auto bytes = scaled ? image::encodedData(*scaled, "jpg") : std::nullopt;
    if (!bytes) return -1;
    return peakMegabytes();
}

}  // namespace

// Runs `step` in a fresh child process (libvips is started there, never in this one) and returns
// its exit status.
int inChild(const std::function<int()>& step) {
    const pid_t child = fork();
    if (child == 0) {
        std::fflush(stdout);
        _exit(step());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

int main(int argc, char** argv) {
    const std::filesystem::path folder = argc > 1 ? argv[1] : std::filesystem::temp_directory_path();
    const auto source = folder / ("vorta-shrink-" + std::to_string(getpid()) + ".jpg");
    inChild([&] {
        image::detail::ensureVipsStarted();
        makeSource(source);
        return 0;
    });
    std::printf("10000 x 10000 JPEG to %d px wide, peak resident memory:\n", kTargetWidth);
    std::fflush(stdout);
    const int verdict = inChild([&] {
        image::detail::ensureVipsStarted();
        const double peak = measure([&] {
            return image::loadImage(source, cg::Size{kTargetWidth, kTargetWidth});
        });
        std::printf("  shrink-on-load: %.1f MB (budget %.0f MB)\n", peak, kBudgetMegabytes);
        std::fflush(stdout);
        return peak > 0 && peak < kBudgetMegabytes ? 0 : 1;
    });
    inChild([&] {
        image::detail::ensureVipsStarted();
        std::printf("  full decode:    %.1f MB\n", measure([&] { return image::loadImage(source); }));
        std::fflush(stdout);
        return 0;
    });
    std::filesystem::remove(source);
    return verdict;
}
