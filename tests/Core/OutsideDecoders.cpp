#include "OutsideDecoders.h"

#include <jpeglib.h>
// jpeglib.h first: jerror.h needs its types.
#include <jerror.h>
#include <libheif/heif.h>
#include <png.h>
#include <tiffio.h>
#include <webp/decode.h>

#include <array>
#include <csetjmp>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <vector>

#include "Support/TempDir.h"

namespace coretest {

namespace {

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

File openFile(const std::filesystem::path& file) {
    return File(std::fopen(file.c_str(), "rb"), std::fclose);
}

// libjpeg reports corrupt data as warnings and fills in what is missing: every warning counts, but for
// an unknown JFIF revision and bytes skipped between a finished restart interval and its marker, after
// which every pixel was still read.
struct JpegErrors {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    std::array<char, JMSG_LENGTH_MAX> words{};
};

[[noreturn]] void jpegFailed(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    info->err->format_message(info, errors->words.data());
    std::longjmp(errors->jump, 1);
}

void jpegMessage(j_common_ptr info, int level) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    const int code = info->err->msg_code;
    if (level >= 0 || code == JWRN_JFIF_MAJOR || code == JWRN_EXTRANEOUS_DATA || errors->words[0]) return;
    info->err->format_message(info, errors->words.data());
}

OutsideReading readJpeg(const std::filesystem::path& file) {
    const File in = openFile(file);
    if (!in) return {false, "cannot open"};
    JpegErrors errors;
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegFailed;
    errors.manager.emit_message = jpegMessage;
    std::vector<JSAMPLE> row;
    JDIMENSION rows = 0;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return {false, errors.words.data()};
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, in.get());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    row.resize(std::size_t(info.output_width) * info.output_components);
    for (JSAMPROW line = row.data(); info.output_scanline < info.output_height;)
        rows += jpeg_read_scanlines(&info, &line, 1);
    jpeg_finish_decompress(&info);
    const bool complete = rows == info.output_height;
    jpeg_destroy_decompress(&info);
    return {complete && !errors.words[0], errors.words.data()};
}

// libpng stops at corrupt or missing image data; its warnings are about optional chunks.
struct PngErrors {
    std::string words;
};

[[noreturn]] void pngFailed(png_structp png, png_const_charp message) {
    static_cast<PngErrors*>(png_get_error_ptr(png))->words = message;
    png_longjmp(png, 1);
}

void pngWarned(png_structp, png_const_charp) {}

OutsideReading readPng(const std::filesystem::path& file) {
    const File in = openFile(file);
    if (!in) return {false, "cannot open"};
    PngErrors errors;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &errors, pngFailed, pngWarned);
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return {false, errors.words};
    }
    png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
    png_init_io(png, in.get());
    png_read_info(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    row.resize(png_get_rowbytes(png, info));
    const png_uint_32 height = png_get_image_height(png, info);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, row.data(), nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return {true, {}};
}

// libtiff's errors on this handle only: the process-wide handlers belong to libvips.
int tiffFailed(TIFF*, void* user, const char* module, const char* format, va_list arguments) {
    auto* words = static_cast<std::string*>(user);
    if (!words->empty()) return 1;
    std::array<char, 512> text{};
    std::vsnprintf(text.data(), text.size(), format, arguments);
    *words = std::string(module ? module : "") + ": " + text.data();
    return 1;
}

int tiffWarned(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

OutsideReading readTiff(const std::filesystem::path& file) {
    std::string words;
    std::unique_ptr<TIFFOpenOptions, void (*)(TIFFOpenOptions*)> options(TIFFOpenOptionsAlloc(),
                                                                         TIFFOpenOptionsFree);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), tiffFailed, &words);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), tiffWarned, nullptr);
    std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(TIFFOpenExt(file.c_str(), "r", options.get()), TIFFClose);
    if (!tiff) return {false, words};
    const bool tiled = TIFFIsTiled(tiff.get());
    std::vector<std::uint8_t> buffer(tiled ? TIFFTileSize(tiff.get()) : TIFFStripSize(tiff.get()));
    const std::uint32_t pieces = tiled ? TIFFNumberOfTiles(tiff.get()) : TIFFNumberOfStrips(tiff.get());
    for (std::uint32_t i = 0; i < pieces; ++i) {
        const tmsize_t read =
            tiled ? TIFFReadEncodedTile(tiff.get(), i, buffer.data(), tmsize_t(buffer.size()))
                  : TIFFReadEncodedStrip(tiff.get(), i, buffer.data(), tmsize_t(buffer.size()));
        if (read < 0) return {false, words.empty() ? "piece " + std::to_string(i) + " unread" : words};
    }
    return {words.empty(), words};
}

OutsideReading readWebp(const std::filesystem::path& file) {
    const std::string bytes = testsupport::TempDir::read(file);
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) return {false, "libwebp did not start"};
    config.output.colorspace = MODE_RGBA;
    const VP8StatusCode status =
        WebPDecode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &config);
    WebPFreeDecBuffer(&config.output);
    return {status == VP8_STATUS_OK, "libwebp status " + std::to_string(int(status))};
}

OutsideReading readHeif(const std::filesystem::path& file) {
    std::unique_ptr<heif_context, void (*)(heif_context*)> context(heif_context_alloc(), heif_context_free);
    heif_context_set_maximum_image_size_limit(context.get(), 1 << 20);
    heif_error error = heif_context_read_from_file(context.get(), file.c_str(), nullptr);
    if (error.code != heif_error_Ok) return {false, error.message};
    heif_image_handle* handle = nullptr;
    error = heif_context_get_primary_image_handle(context.get(), &handle);
    if (error.code != heif_error_Ok) return {false, error.message};
    heif_image* image = nullptr;
    error = heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr);
    const OutsideReading reading{error.code == heif_error_Ok, error.message};
    heif_image_release(image);
    heif_image_handle_release(handle);
    return reading;
}

// netpbm's readers end with an error, and say so on standard error, where data is missing or corrupt.
OutsideReading readWithNetpbm(const std::string& reader, const std::filesystem::path& file) {
    const std::string command =
        reader + " -quiet < '" + file.string() + "' 2>&1 >/dev/null; echo \"exit $?\"";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return {false, "cannot run " + reader};
    std::string said;
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe.get())) said += buffer.data();
    return {said == "exit 0\n", said};
}

}  // namespace

OutsideReading readOutsideLibvips(const std::filesystem::path& file, const std::string& format) {
    if (format == "jpeg") return readJpeg(file);
    if (format == "png") return readPng(file);
    if (format == "tiff") return readTiff(file);
    if (format == "webp") return readWebp(file);
    if (format == "heif") return readHeif(file);
    if (format == "gif") return readWithNetpbm("giftopnm", file);
    if (format == "bmp") return readWithNetpbm("bmptopnm", file);
    return {false, "no outside decoder for " + format};
}

}  // namespace coretest
