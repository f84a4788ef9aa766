#include "Platform/Image/JpegDirect.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <span>

#include "Platform/Foundation/TiffDirectories.h"
#include "Platform/Image/JpegDecompressor.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/VipsRuntime.h"

namespace image::detail {

namespace {

// The decoder behind an image. libvips hands the strips of an image to several threads at once, in
// order, and they ask for them in any order: each waits its turn. (libvips' own sequential stage would
// order them too, but it turns a strip that fails into a black one with a warning.)
struct Decode {
    std::mutex mutex;
    std::condition_variable turn;
    std::unique_ptr<JpegDecompressor> decoder;
    bool inverted = false;  // Photoshop writes CMYK inverted
    int next = 0;           // the row the decoder gives next
    // Rows were asked for out of order: the decoder cannot go back, and nobody waits for it any more.
    bool outOfOrder = false;
    // A row as the decoder gives it, when that is wider than the image (see headerFor).
    std::vector<JSAMPLE> row;
};

// The orientation an EXIF block (from its "Exif" signature on) gives in its first directory, as
// libvips reads it; 0 when it gives none.
int orientationIn(std::span<const std::uint8_t> exif) {
    constexpr std::size_t kTiffStart = 6;  // after "Exif\0\0"
    if (exif.size() < kTiffStart + 8) return 0;
    const auto tiff = exif.subspan(kTiffStart);
    const auto reader = foundation::TiffDirectoryReader::open(
        [tiff](std::uint64_t offset, std::uint8_t* into, std::size_t count) {
            if (offset > tiff.size() || tiff.size() - offset < count) return false;
            std::memcpy(into, tiff.data() + offset, count);
            return true;
        });
    if (!reader || reader->layout().big) return 0;
    const auto directory = reader->directory(reader->firstDirectory());
    if (!directory) return 0;
    for (const auto& entry : directory->entries) {
        if (entry.tag != 0x0112) continue;
        const auto value = entry.type == 3 || entry.type == 4 ? entry.firstValue : 0;
        return value >= 1 && value <= 8 ? int(value) : 0;
    }
    return 0;
}

// A new image with the header libvips' loader gives the decoder's output at `eighths`/8 of the image's
// size: its size, bands, colour, resolution and orientation. libvips rounds a reduced size down,
// leaving out the last column and row the decoder gives where it rounds up.
VipsImage* headerFor(const JpegDecompressor& decoder, int eighths, int orientation) {
    const auto& info = decoder.info();
    const int width = std::max(1, int(static_cast<long long>(info.image_width) * eighths / 8));
    const int height = std::max(1, int(static_cast<long long>(info.image_height) * eighths / 8));
    VipsInterpretation interpretation = VIPS_INTERPRETATION_sRGB;
    if (info.out_color_space == JCS_GRAYSCALE) interpretation = VIPS_INTERPRETATION_B_W;
    if (info.out_color_space == JCS_CMYK) interpretation = VIPS_INTERPRETATION_CMYK;
    double xres = 1.0, yres = 1.0;
    const char* unit = nullptr;
    if (info.saw_JFIF_marker && info.X_density != 1 && info.Y_density != 1) {
        if (info.density_unit == 1) {
            xres = info.X_density / 25.4, yres = info.Y_density / 25.4, unit = "in";
        } else if (info.density_unit == 2) {
            xres = info.X_density / 10.0, yres = info.Y_density / 10.0, unit = "cm";
        }
    }
    VipsImage* out = vips_image_new();
    vips_image_init_fields(out, width, height, info.output_components, VIPS_FORMAT_UCHAR, VIPS_CODING_NONE,
                           interpretation, xres, yres);
    if (unit) vips_image_set_string(out, VIPS_META_RESOLUTION_UNIT, unit);
    if (orientation) vips_image_set_int(out, VIPS_META_ORIENTATION, orientation);
    // Whether the decoder holds the whole image's coefficients, in libvips' loader's words.
    vips_image_set_int(out, "jpeg-multiscan",
                       info.progressive_mode || info.comps_in_scan < info.num_components);
    return out;
}

// Moves the kept metadata blocks and ICC profile onto `out`: they are held there alone.
void attachMetadata(VipsImage* out, JpegDecompressor::Metadata& metadata) {
    for (auto [name, block] :
         {std::pair{VIPS_META_EXIF_NAME, &metadata.exif}, std::pair{VIPS_META_XMP_NAME, &metadata.xmp},
          std::pair{VIPS_META_IPTC_NAME, &metadata.iptc}}) {
        if (!block->empty()) vips_image_set_blob_copy(out, name, block->data(), block->size());
        std::vector<std::uint8_t>().swap(*block);
    }
    // The profile is its chunks in order, as far as they follow on from the first.
    std::size_t length = 0, chunks = 0;
    for (; chunks < metadata.iccChunks.size() && !metadata.iccChunks[chunks].empty(); ++chunks)
        length += metadata.iccChunks[chunks].size();
    if (length > 0) {
        auto* profile = static_cast<std::uint8_t*>(g_malloc(length));
        std::size_t at = 0;
        for (std::size_t i = 0; i < chunks; ++i) {
            std::memcpy(profile + at, metadata.iccChunks[i].data(), metadata.iccChunks[i].size());
            at += metadata.iccChunks[i].size();
            std::vector<std::uint8_t>().swap(metadata.iccChunks[i]);
        }
        vips_image_set_blob(out, VIPS_META_ICC_NAME, VipsCallbackFn(vips_area_free_cb), profile, length);
    }
    for (auto& chunk : metadata.iccChunks) std::vector<std::uint8_t>().swap(chunk);
}

int generate(VipsRegion* out, void*, void* client, void*, gboolean*) {
    auto& decode = *static_cast<Decode*>(client);
    auto& decoder = *decode.decoder;
    const VipsRect& area = out->valid;
    std::unique_lock lock(decode.mutex);
    decode.turn.wait(
        lock, [&] { return decode.next >= area.top || decode.outOfOrder || !decoder.stopReason().empty(); });
    bool read = decoder.stopReason().empty() && !decode.outOfOrder;
    if (read && (area.left != 0 || area.width != out->im->Xsize || area.top != decode.next)) {
        decode.outOfOrder = true;
        decode.turn.notify_all();
        vips_error("VipsJpeg", "out of order read at line %d", decode.next);
        return -1;
    }
    if (read && decode.next == 0) read = decoder.start();
    const auto rowBytes = std::size_t(VIPS_IMAGE_SIZEOF_LINE(out->im));
    for (int y = 0; read && y < area.height; ++y) {
        auto* row = VIPS_REGION_ADDR(out, 0, area.top + y);
        read = decoder.readRow(decode.row.empty() ? row : decode.row.data());
        if (read && !decode.row.empty()) std::memcpy(row, decode.row.data(), rowBytes);
        if (read && decode.inverted) {
            for (std::size_t x = 0; x < rowBytes; ++x) row[x] = VipsPel(255 - row[x]);
        }
        if (read) ++decode.next;
    }
    // The rows past the image's and the data after the last row are read too: damage there is damage
    // all the same.
    if (read && decode.next == out->im->Ysize) {
        auto& info = decoder.info();
        decode.row.resize(std::size_t(info.output_width) * std::size_t(info.output_components));
        while (read && info.output_scanline < info.output_height) read = decoder.readRow(decode.row.data());
        if (read) read = decoder.finish();
    }
    decode.turn.notify_all();
    if (read) return 0;
    vips_error("VipsJpeg", "%s", decoder.stopReason().c_str());
    return -1;
}

}  // namespace

std::optional<vips::VImage> readJpegDirectly(
    const std::filesystem::path& file, const std::function<int(const vips::VImage& header)>& eighthsFor) {
    auto decoder = JpegDecompressor::open(file, {.stopsAtCorruptData = true, .keepsMetadata = true});
    if (!decoder || !decoder->readHeader() || !decoder->scale(1)) return std::nullopt;
    const auto& info = decoder->info();
    const int orientation = orientationIn(decoder->metadata().exif);
    const bool tooLarge = static_cast<long long>(info.image_width) * info.image_height > kMaximumPixels;
    const int eighths = eighthsFor && !tooLarge
                            ? std::clamp(eighthsFor(vips::VImage(headerFor(*decoder, 8, orientation))), 1, 8)
                            : 8;
    if (eighths != 8 && !decoder->scaleToEighths(eighths)) return std::nullopt;

    VipsImage* out = headerFor(*decoder, eighths, orientation);
    attachMetadata(out, decoder->metadata());
    auto* decode = new Decode;
    decode->inverted = info.out_color_space == JCS_CMYK && info.saw_Adobe_marker;
    if (int(info.output_width) != out->Xsize)
        decode->row.resize(std::size_t(info.output_width) * std::size_t(info.output_components));
    decode->decoder = std::move(decoder);
    g_object_set_data_full(G_OBJECT(out), "vorta-jpeg-decode", decode,
                           [](gpointer p) { delete static_cast<Decode*>(p); });
    if (vips_image_pipelinev(out, VIPS_DEMAND_STYLE_THINSTRIP, nullptr) != 0 ||
        vips_image_generate(out, nullptr, generate, nullptr, decode, nullptr) != 0) {
        g_object_unref(out);
        forgetErrors();
        return std::nullopt;
    }
    return vips::VImage(out);
}

int decoderShrinkFor(double factor) {
    for (const int shrink : {8, 4, 2}) {
        if (factor >= shrink) return shrink;
    }
    return 1;
}

int decoderEighthsFor(double factor) {
    // libjpeg also stops at three eighths, between a half and a quarter. Above half size the whole image
    // is decoded and resampled: what its reduced transforms leave out there, a large output still shows.
    if (!(factor >= 2)) return 8;
    return std::clamp(int(std::ceil(8 / factor - 1e-9)), 1, 4);
}

}  // namespace image::detail
