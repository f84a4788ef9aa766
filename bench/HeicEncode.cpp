// heic_encode: how fast libheif's HEVC encoder (through libvips) writes full HD frames, by the number of
// encodes run at once, at the quality Vorta writes (Q 90, 8 bits), with the peak memory of each setting.
//
//   heic_encode PHOTO [FRAMES]
//
// The photo is cut to 1920 x 1080 (cover, centre) and held in memory, so only encoding is timed.

#include <vips/vips8>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

long peakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace

int main(int argc, char** argv) {
    if (VIPS_INIT(argv[0]) != 0 || argc < 2) {
        std::fprintf(stderr, "usage: heic_encode PHOTO [FRAMES]\n");
        return 2;
    }
    const int frames = argc > 2 ? std::atoi(argv[2]) : 16;
    const vips::VImage frame =
        vips::VImage::thumbnail(
            argv[1], 1920, vips::VImage::option()->set("height", 1080)->set("crop", VIPS_INTERESTING_CENTRE))
            .copy_memory();
    std::printf("| at once | frames | seconds | frames/s | peak MB | mean KB |\n");
    std::printf("|---|---|---|---|---|---|\n");
    {
        for (const int atOnce : {1, 2, 3, 4, 8}) {
            resetPeak();
            std::atomic<int> next{0};
            std::atomic<long> bytes{0};
            const auto start = std::chrono::steady_clock::now();
            std::vector<std::thread> encoders;
            for (int t = 0; t < atOnce; ++t) {
                encoders.emplace_back([&] {
                    while (next.fetch_add(1) < frames) {
                        VipsBlob* blob = frame.heifsave_buffer(
                            vips::VImage::option()
                                ->set("Q", 90)

                                ->set("compression", VIPS_FOREIGN_HEIF_COMPRESSION_HEVC));
                        bytes += long(VIPS_AREA(blob)->length);
                        vips_area_unref(VIPS_AREA(blob));
                    }
                });
            }
            for (auto& e : encoders) e.join();
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("| %d | %d | %.2f | %.2f | %.0f | %ld |\n", atOnce, frames, seconds, frames / seconds,
                        peakKilobytes() / 1024.0, bytes / frames / 1024);
            std::fflush(stdout);
        }
    }
    return 0;
}
