#include "Support/OtherDecoders.h"

#include "Support/ShellWord.h"

#include <gif_lib.h>
#include <jpeglib.h>
// jpeglib.h first: jerror.h needs its types.
#include <jerror.h>
#include <libheif/heif.h>
#include <png.h>
#include <tiffio.h>
#include <webp/decode.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "Support/StripTiffs.h"
#include "Support/TempDir.h"

namespace testsupport {

namespace {

// libjpeg reports corrupt data as warnings and fills in what is missing.
struct JpegJudge {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is a pointer to the judge
    std::jmp_buf stop;
    OtherReading reading;
    bool corrupt = false;
    bool endedEarly = false;  // the file ended where a marker was looked for
};

// libjpeg's own codes for data that is corrupt or missing. A file that ends where its end marker should
// be is judged by what its scans gave (see libjpegReading).
bool isCorruptData(int code) {
    switch (code) {
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_ARITH_BAD_CODE:
        case JWRN_MUST_RESYNC:
        case JWRN_BOGUS_PROGRESSION:
        case JWRN_NOT_SEQUENTIAL:
            return true;
        default:
            return false;
    }
}

void jpegNote(j_common_ptr info, int level) {
    if (level >= 0) return;
    auto& judge = *reinterpret_cast<JpegJudge*>(info->err);
    ++judge.reading.warnings;
    judge.endedEarly = judge.endedEarly || info->err->msg_code == JWRN_JPEG_EOF;
    if (judge.corrupt || !isCorruptData(info->err->msg_code)) return;
    judge.corrupt = true;
    std::array<char, JMSG_LENGTH_MAX> text{};
    info->err->format_message(info, text.data());
    judge.reading.words = text.data();
}

// The file handed to libjpeg a few hundred bytes at a time: with fewer than 512 bytes per block of a
// unit in its buffer, libjpeg-turbo checks every code it decodes, and says so of a bad one.
struct SlicedSource {
    jpeg_source_mgr manager;  // first, so libjpeg's pointer to it is a pointer to the source
    const std::string* bytes;
    std::size_t at = 0;
};

boolean fillSlice(j_decompress_ptr info) {
    static constexpr JOCTET kEnd[] = {0xFF, JPEG_EOI};
    auto& source = *reinterpret_cast<SlicedSource*>(info->src);
    if (source.at == source.bytes->size()) {
        WARNMS(info, JWRN_JPEG_EOF);
        source.manager.next_input_byte = kEnd;
        source.manager.bytes_in_buffer = sizeof kEnd;
        return TRUE;
    }
    const std::size_t count = std::min<std::size_t>(256, source.bytes->size() - source.at);
    source.manager.next_input_byte = reinterpret_cast<const JOCTET*>(source.bytes->data() + source.at);
    source.manager.bytes_in_buffer = count;
    source.at += count;
    return TRUE;
}

void skipSlices(j_decompress_ptr info, long count) {
    auto& source = *info->src;
    while (count > long(source.bytes_in_buffer)) {
        count -= long(source.bytes_in_buffer);
        fillSlice(info);
    }
    source.next_input_byte += count;
    source.bytes_in_buffer -= std::size_t(count);
}

// Whether a file that ended where a marker was looked for had every scan whole: a progressive one
// brought each coefficient to its last bit, a sequential one had its single scan.
bool scansWhole(const jpeg_decompress_struct& info) {
    if (!info.progressive_mode) return info.input_scan_number == 1;
    for (int c = 0; c < info.num_components; ++c) {
        if (!std::all_of(info.coef_bits[c], info.coef_bits[c] + DCTSIZE2, [](int bits) { return bits == 0; }))
            return false;
    }
    return true;
}

[[noreturn]] void jpegFailed(j_common_ptr info) {
    auto& judge = *reinterpret_cast<JpegJudge*>(info->err);
    std::array<char, JMSG_LENGTH_MAX> text{};
    info->err->format_message(info, text.data());
    if (!judge.corrupt) judge.reading.words = text.data();
    std::longjmp(judge.stop, 1);
}

// libpng stops at corrupt or missing image data; its warnings are about optional chunks.
struct PngInput {
    std::string bytes;
    std::size_t at = 0;
    std::string words;
};

OtherReading readPng(std::string bytes, SideLimits limits) {
    PngInput input{std::move(bytes), 0, {}};
    png_structp png = png_create_read_struct(
        PNG_LIBPNG_VER_STRING, &input,
        [](png_structp p, png_const_charp message) {
            static_cast<PngInput*>(png_get_error_ptr(p))->words = message;
            png_longjmp(p, 1);
        },
        [](png_structp, png_const_charp) {});
    png_infop info = png_create_info_struct(png);
    png_set_read_fn(png, &input, [](png_structp p, png_bytep out, png_size_t length) {
        auto* in = static_cast<PngInput*>(png_get_io_ptr(p));
        if (in->bytes.size() - in->at < length) png_error(p, "cut short");
        std::copy_n(in->bytes.data() + in->at, length, out);
        in->at += length;
    });
    if (limits == SideLimits::Lifted) png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
    const auto failed = [&] {
        png_destroy_read_struct(&png, &info, nullptr);
        return OtherReading{false, input.words};
    };
    // libpng reports an error by a jump back here, which leaves locals changed since indeterminate:
    // the row is sized between the jumps, not after one is set.
    if (setjmp(png_jmpbuf(png)) != 0) return failed();
    png_read_info(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    std::vector<png_byte> row(png_get_rowbytes(png, info));
    const png_uint_32 height = png_get_image_height(png, info);
    if (setjmp(png_jmpbuf(png)) != 0) return failed();
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, row.data(), nullptr);
    }
    // Every row came from the data: a file that ends where its end marker belongs is missing nothing
    // else.
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_read_end(png, nullptr);
    } else if (input.at < input.bytes.size()) {
        return failed();
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return {true, {}};
}

// libtiff's words on this handle only: the process-wide handlers belong to libvips. Its first error,
// and its first warning while it decodes a strip (bytes it discarded, or a JPEG strip's skipped bytes):
// this judge is strict.
struct TiffWords {
    std::string error;
    std::string warning;
    bool decoding = false;
};

void keepFirst(std::string& words, const char* module, const char* format, va_list arguments) {
    if (!words.empty()) return;
    std::array<char, 512> text{};
    std::vsnprintf(text.data(), text.size(), format, arguments);
    words = std::string(module ? module : "") + ": " + text.data();
}

int tiffFailed(TIFF*, void* user, const char* module, const char* format, va_list arguments) {
    keepFirst(static_cast<TiffWords*>(user)->error, module, format, arguments);
    return 1;
}

int tiffWarned(TIFF*, void* user, const char* module, const char* format, va_list arguments) {
    auto& words = *static_cast<TiffWords*>(user);
    if (words.decoding) keepFirst(words.warning, module, format, arguments);
    return 1;
}

// libtiff decodes every strip; zlib inflates a deflate strip to the end of its stream, where libtiff
// stops once the strip is full, and checks it.
OtherReading readTiff(const std::filesystem::path& file) {
    TiffWords words;
    std::unique_ptr<TIFFOpenOptions, void (*)(TIFFOpenOptions*)> options(TIFFOpenOptionsAlloc(),
                                                                         TIFFOpenOptionsFree);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), tiffFailed, &words);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), tiffWarned, &words);
    std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(TIFFOpenExt(file.c_str(), "r", options.get()), TIFFClose);
    if (!tiff) return {false, words.error};
    const bool tiled = TIFFIsTiled(tiff.get());
    std::vector<std::uint8_t> buffer(tiled ? TIFFTileSize(tiff.get()) : TIFFStripSize(tiff.get()));
    const std::uint32_t pieces = tiled ? TIFFNumberOfTiles(tiff.get()) : TIFFNumberOfStrips(tiff.get());
    words.decoding = true;
    for (std::uint32_t i = 0; i < pieces; ++i) {
        const tmsize_t read =
            tiled ? TIFFReadEncodedTile(tiff.get(), i, buffer.data(), tmsize_t(buffer.size()))
                  : TIFFReadEncodedStrip(tiff.get(), i, buffer.data(), tmsize_t(buffer.size()));
        if (read < 0)
            return {false, words.error.empty() ? "piece " + std::to_string(i) + " unread" : words.error};
    }
    if (!words.error.empty() || !words.warning.empty())
        return {false, words.error.empty() ? words.warning : words.error};
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_COMPRESSION, &compression);
    if (compression == COMPRESSION_ADOBE_DEFLATE || compression == COMPRESSION_DEFLATE) {
        for (std::uint32_t i = 0; i < pieces; ++i) {
            if (auto said = zlibStripWords(file, i); !said.empty())
                return {false, "strip " + std::to_string(i) + ": " + said};
        }
    }
    return {true, {}};
}

OtherReading readWebp(const std::string& bytes) {
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) return {false, "libwebp did not start"};
    config.output.colorspace = MODE_RGBA;
    const VP8StatusCode status =
        WebPDecode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &config);
    WebPFreeDecBuffer(&config.output);
    return {status == VP8_STATUS_OK, "libwebp status " + std::to_string(int(status))};
}

OtherReading readHeif(const std::filesystem::path& file, SideLimits limits) {
    std::unique_ptr<heif_context, void (*)(heif_context*)> context(heif_context_alloc(), heif_context_free);
    // libheif's default allows a larger area; 16,384 a side is the limit libvips asks of it.
    heif_context_set_maximum_image_size_limit(context.get(), limits == SideLimits::Lifted ? 1 << 20 : 16384);
    heif_error error = heif_context_read_from_file(context.get(), file.c_str(), nullptr);
    if (error.code != heif_error_Ok) return {false, error.message};
    heif_image_handle* handle = nullptr;
    error = heif_context_get_primary_image_handle(context.get(), &handle);
    if (error.code != heif_error_Ok) return {false, error.message};
    heif_image* image = nullptr;
    error = heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr);
    const OtherReading reading{error.code == heif_error_Ok, error.message};
    heif_image_release(image);
    heif_image_handle_release(handle);
    return reading;
}

// giflib's reading of a GIF held in memory.
OtherReading slurpGif(const std::string& bytes) {
    struct Input {
        const std::string& bytes;
        std::size_t at = 0;
    } input{bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(
        &input,
        [](GifFileType* g, GifByteType* out, int count) {
            auto& in = *static_cast<Input*>(g->UserData);
            const std::size_t n = std::min(in.bytes.size() - in.at, std::size_t(count));
            std::copy_n(in.bytes.data() + in.at, n, out);
            in.at += n;
            return int(n);
        },
        &error);
    if (!gif) return {false, GifErrorString(error)};
    const bool whole = DGifSlurp(gif) == GIF_OK;
    const std::string words = whole ? "" : GifErrorString(gif->Error);
    DGifCloseFile(gif, &error);
    return {whole, words};
}

// Every frame that is in the file gives every pixel: a file that ends where its trailer belongs is
// missing nothing else, and reads whole once the trailer is there.
OtherReading readGif(const std::string& bytes) {
    auto reading = slurpGif(bytes);
    if (!reading.whole && slurpGif(bytes + ';').whole) reading = {true, {}};
    return reading;
}

// netpbm's reader ends with an error, and says so on standard error, where data is missing or corrupt.
OtherReading readWithNetpbm(const std::string& reader, const std::filesystem::path& file) {
    const std::string command =
        reader + " -quiet < " + shellWord(file) + " 2>&1 >/dev/null; echo \"exit $?\"";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return {false, "cannot run " + reader};
    std::string said;
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), int(buffer.size()), pipe.get())) said += buffer.data();
    return {said == "exit 0\n", said};
}

}  // namespace

OtherReading libjpegReading(const std::string& jpeg, std::vector<std::uint8_t>* pixels) {
    JpegJudge judge;
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&judge.manager);
    judge.manager.emit_message = jpegNote;
    judge.manager.error_exit = jpegFailed;
    SlicedSource source{};
    source.bytes = &jpeg;
    source.manager.init_source = [](j_decompress_ptr) {};
    source.manager.fill_input_buffer = fillSlice;
    source.manager.skip_input_data = skipSlices;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = [](j_decompress_ptr) {};
    std::vector<JSAMPLE> row;
    if (setjmp(judge.stop) == 0) {
        jpeg_create_decompress(&info);
        info.src = &source.manager;
        jpeg_read_header(&info, TRUE);
        jpeg_start_decompress(&info);
        row.resize(std::size_t(info.output_width) * std::size_t(info.output_components));
        if (pixels) pixels->clear();
        JSAMPROW rows[1] = {row.data()};
        while (info.output_scanline < info.output_height) {
            jpeg_read_scanlines(&info, rows, 1);
            if (pixels) pixels->insert(pixels->end(), row.begin(), row.end());
        }
        // Asked before the decode ends: libjpeg then frees what a progressive file's scans gave.
        const bool whole = scansWhole(info);
        jpeg_finish_decompress(&info);
        judge.reading.whole = !judge.corrupt && (!judge.endedEarly || whole);
        if (!judge.corrupt && !judge.reading.whole)
            judge.reading.words = "the file ends before its last scan";
    }
    jpeg_destroy_decompress(&info);
    return judge.reading;
}

std::optional<OtherReading> readElsewhere(const std::filesystem::path& file, SideLimits limits) {
    const std::string bytes = TempDir::read(file);
    const auto starts = [&](std::string_view with, std::size_t at = 0) {
        return bytes.size() >= at + with.size() && std::string_view(bytes).substr(at, with.size()) == with;
    };
    if (starts("\xff\xd8")) return libjpegReading(bytes);
    if (starts("\x89PNG")) return readPng(bytes, limits);
    if (starts({"II*\0", 4}) || starts({"MM\0*", 4})) return readTiff(file);
    if (starts("RIFF") && starts("WEBP", 8)) return readWebp(bytes);
    if (starts("ftyp", 4)) return readHeif(file, limits);
    if (starts("GIF8")) return readGif(bytes);
    if (starts("BM")) return readWithNetpbm("bmptopnm", file);
    return std::nullopt;
}

}  // namespace testsupport
