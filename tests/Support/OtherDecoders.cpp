#include "Support/OtherDecoders.h"

#include <gif_lib.h>
#include <png.h>
#include <tiffio.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

namespace {

struct PngInput {
    std::string bytes;
    std::size_t at = 0;
};

bool pngReadsWhole(std::string bytes, bool anyWidth) {
    png_structp png = png_create_read_struct(
        PNG_LIBPNG_VER_STRING, nullptr, [](png_structp p, png_const_charp) { png_longjmp(p, 1); },
        [](png_structp, png_const_charp) {});
    png_infop info = png_create_info_struct(png);
    PngInput input{std::move(bytes)};
    png_set_read_fn(png, &input, [](png_structp p, png_bytep out, png_size_t length) {
        auto* in = static_cast<PngInput*>(png_get_io_ptr(p));
        if (in->bytes.size() - in->at < length) png_error(p, "cut short");
        std::copy_n(in->bytes.data() + in->at, length, out);
        in->at += length;
    });
    if (anyWidth) png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
    const auto failed = [&] {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
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
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool tiffReadsWhole(const std::filesystem::path& file) {
    // Quietly: a broken file is expected here.
    const TIFFErrorHandler errors = TIFFSetErrorHandler(nullptr);
    const TIFFErrorHandler warnings = TIFFSetWarningHandler(nullptr);
    bool whole = false;
    if (TIFF* tiff = TIFFOpen(file.c_str(), "r")) {
        std::uint32_t width = 0, height = 0;
        TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
        std::vector<std::uint32_t> raster(std::size_t(width) * height);
        whole = TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 1) == 1;
        TIFFClose(tiff);
    }
    TIFFSetErrorHandler(errors);
    TIFFSetWarningHandler(warnings);
    return whole;
}

bool gifReadsWhole(const std::filesystem::path& file) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(file.c_str(), &error);
    if (!gif) return false;
    const bool whole = DGifSlurp(gif) == GIF_OK;
    DGifCloseFile(gif, &error);
    return whole;
}

}  // namespace

std::optional<bool> readsWholeElsewhere(const std::filesystem::path& file, bool anyWidth) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.starts_with("\x89PNG")) return pngReadsWhole(bytes, anyWidth);
    if (bytes.starts_with(std::string_view("II*\0", 4)) || bytes.starts_with(std::string_view("MM\0*", 4)))
        return tiffReadsWhole(file);
    if (bytes.starts_with("GIF8")) return gifReadsWhole(file);
    return std::nullopt;
}

}  // namespace testsupport
