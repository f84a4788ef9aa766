// make_bench_corpus: writes the benchmark corpus, the same files for the same seed on every run.
//
//   make_bench_corpus FOLDER [--seed N] [--jpegs N]
//
// Writes FOLDER/jpeg/ (6000 x 4000 JPEGs), FOLDER/mixed/ (2016 x 1512 HEICs, 4000 x 3000 PNGs), FOLDER/large/
// (one 100-megapixel JPEG), FOLDER/portraits/ (1 to 2 megapixel JPEGs of one real face). The pictures are
// photo-like on purpose: broad shapes, mid-sized texture and sensor-like grain, so that JPEG sizes, decode
// and encode costs are those of camera files rather than of flat test cards. Files already there are kept, so
// a second run costs nothing.

#include <vips/vips8>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using vips::VImage;

// Noise of `width` x `height`, one band per call, reproducible by seed.
VImage noise(int width, int height, double sigma, int seed) {
    return VImage::gaussnoise(width, height,
                              VImage::option()->set("sigma", sigma)->set("mean", 0.0)->set("seed", seed));
}

// The parts every picture shares, made once and kept in memory: grain and texture at full size.
struct SharedLayers {
    VImage grain;    // three bands of fine noise
    VImage texture;  // one band of mid-sized detail

    SharedLayers(int width, int height, int seed) {
        grain = noise(width, height, 5, seed)
                    .bandjoin(noise(width, height, 5, seed + 1))
                    .bandjoin(noise(width, height, 5, seed + 2))
                    .copy_memory();
        texture = noise(width / 4, height / 4, 40, seed + 3)
                      .resize(4.0, VImage::option()->set("kernel", VIPS_KERNEL_CUBIC))
                      .gaussblur(1.2)
                      .copy_memory();
    }
};

// One picture: broad colour shapes of its own, with the shared texture and grain shifted by an
// offset of its own so no two pictures share their detail.
VImage picture(const SharedLayers& shared, int width, int height, int seed, double grainWeight = 1.0) {
    const double upscale = 50;
    const int w = width / upscale + 2, h = height / upscale + 2;
    VImage shapes = noise(w, h, 70, seed)
                        .bandjoin(noise(w, h, 70, seed + 1))
                        .bandjoin(noise(w, h, 70, seed + 2))
                        .resize(upscale, VImage::option()->set("kernel", VIPS_KERNEL_CUBIC))
                        .crop(0, 0, width, height);
    const int dx = (seed * 7919) % width, dy = (seed * 104729) % height;
    const auto shift = [&] { return VImage::option()->set("x", dx)->set("y", dy); };  // used up by each call
    VImage texture = shared.texture.crop(0, 0, std::min(width, shared.texture.width()),
                                         std::min(height, shared.texture.height()));
    if (texture.width() != width || texture.height() != height)
        texture = texture.replicate(3, 3).crop(0, 0, width, height);
    VImage grain = shared.grain;
    if (grain.width() != width || grain.height() != height)
        grain = grain.replicate(3, 3).crop(0, 0, width, height);
    const VImage tint =
        VImage::black(1, 1).new_from_image({0.9 + 0.1 * (seed % 3), 1.0, 1.1 - 0.1 * (seed % 2)});
    const VImage out = shapes + 128 + texture.wrap(shift()) * tint + grain.wrap(shift()) * grainWeight;
    return out.cast(VIPS_FORMAT_UCHAR)
        .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

void write(const VImage& image, const std::filesystem::path& path, vips::VOption* options) {
    if (std::filesystem::exists(path)) return;
    const auto partial = path.string() + ".part" + path.extension().string();
    image.write_to_file(partial.c_str(), options);
    std::filesystem::rename(partial, path);
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
}

// 1 to 2 megapixel photos of one real face, framed in different ways (as a phone or a web gallery keeps
// them): parts of the test portrait enlarged to the size, with grain of their own.
void writePortraits(const SharedLayers& shared, const std::filesystem::path& folder, int seed) {
    std::filesystem::create_directories(folder);
    const VImage portrait = VImage::new_from_file(VORTA_PORTRAIT_PHOTO).colourspace(VIPS_INTERPRETATION_sRGB);
    struct Framing {
        int left, top, width, height;  // in the 512 x 512 portrait
        int outWidth, outHeight;
    };
    const Framing framings[] = {{0, 0, 512, 512, 1400, 1400},   {0, 40, 512, 384, 1600, 1200},
                                {100, 0, 330, 440, 1200, 1600}, {0, 60, 512, 288, 1920, 1080},
                                {150, 0, 362, 300, 1500, 1244}, {60, 20, 400, 400, 1200, 1200}};
    char name[64];
    for (int i = 0; i < 48; ++i) {
        const Framing& f = framings[i % 6];
        const VImage part =
            portrait.crop(f.left, f.top, f.width, f.height)
                .resize(double(f.outWidth) / f.width, VImage::option()
                                                          ->set("vscale", double(f.outHeight) / f.height)
                                                          ->set("kernel", VIPS_KERNEL_LANCZOS3));
        const int dx = (seed + i * 7919) % 1000, dy = (seed + i * 104729) % 1000;
        const VImage grain = shared.grain.crop(dx, dy, part.width(), part.height());
        const VImage photo = (part + grain * 0.6)
                                 .cast(VIPS_FORMAT_UCHAR)
                                 .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
        std::snprintf(name, sizeof name, "FACE_%04d.jpg", i + 1);
        write(photo, folder / name, VImage::option()->set("Q", 90));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (VIPS_INIT(argv[0]) != 0) return 1;
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_bench_corpus FOLDER [--seed N] [--jpegs N]\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    int seed = 20240601, jpegs = 48;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--seed") seed = std::atoi(argv[i + 1]);
        if (arg == "--jpegs") jpegs = std::atoi(argv[i + 1]);
    }
    for (const char* sub : {"jpeg", "mixed", "large"}) std::filesystem::create_directories(folder / sub);

    try {
        const SharedLayers shared(6000, 4000, seed);
        char name[64];
        for (int i = 0; i < jpegs; ++i) {
            std::snprintf(name, sizeof name, "IMG_%04d.jpg", i + 1);
            write(picture(shared, 6000, 4000, seed + 10 * (i + 1)), folder / "jpeg" / name,
                  VImage::option()->set("Q", 92));
        }
        for (int i = 0; i < 3; ++i) {
            // Phones denoise before they encode, and HEVC encoding of grain would take minutes.
            std::snprintf(name, sizeof name, "PHONE_%02d.heic", i + 1);
            write(picture(shared, 2016, 1512, seed + 1000 + 10 * i, 0.0), folder / "mixed" / name,
                  VImage::option()->set("Q", 60)->set("effort", 0));
            std::snprintf(name, sizeof name, "SCAN_%02d.png", i + 1);
            write(picture(shared, 4000, 3000, seed + 2000 + 10 * i), folder / "mixed" / name,
                  VImage::option()->set("compression", 3));
        }
        write(picture(shared, 12240, 8160, seed + 5000), folder / "large" / "PANORAMA_100MP.jpg",
              VImage::option()->set("Q", 90));
        writePortraits(shared, folder / "portraits", seed);
    } catch (const vips::VError& e) {
        std::fprintf(stderr, "make_bench_corpus: %s\n", e.what());
        return 1;
    }
    return 0;
}
