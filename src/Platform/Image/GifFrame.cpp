#include "Platform/Image/GifFrame.h"

#include <gif_lib.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/LoaderAdmission.h"

namespace image::detail {

namespace {

// The file as giflib reads it, and whether the disc failed meanwhile.
struct Input {
    FileHandle file;
    bool failed = false;
};

int readInput(GifFileType* gif, GifByteType* bytes, int count) {
    auto& input = *static_cast<Input*>(gif->UserData);
    const auto got = std::fread(bytes, 1, static_cast<std::size_t>(count), input.file.get());
    input.failed = input.failed || std::ferror(input.file.get());
    return static_cast<int>(got);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = D_GIF_SUCCEEDED;
        DGifCloseFile(gif, &error);
    }
};

// giflib's words for `error`, when it is about the data.
std::optional<std::string> damageIn(const Input& input, int error) {
    // Nothing is known of the data when the disc or memory failed.
    if (input.failed || error == D_GIF_ERR_NOT_ENOUGH_MEM) return std::nullopt;
    // giflib leaves one read past the end (the frame's code size) unnamed.
    const char* words = GifErrorString(error);
    return words ? words : GifErrorString(D_GIF_ERR_READ_FAILED);
}

}  // namespace

std::optional<std::string> gifFirstFrameDamage(const std::filesystem::path& path) {
    Input input{openRegularFile(path)};
    if (!input.file) return std::nullopt;
    int error = D_GIF_SUCCEEDED;
    const std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&input, readInput, &error));
    if (!gif) return error == D_GIF_ERR_NOT_GIF_FILE ? std::nullopt : damageIn(input, error);
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) return damageIn(input, gif->Error);
        // A file without a frame: libvips refuses it itself.
        if (record == TERMINATE_RECORD_TYPE) return std::nullopt;
        if (record == EXTENSION_RECORD_TYPE) {
            // Read a block at a time, however long (a comment may hold megabytes).
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) return damageIn(input, gif->Error);
            while (block) {
                if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) return damageIn(input, gif->Error);
            }
            continue;
        }
        if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return damageIn(input, gif->Error);
        const long long width = gif->Image.Width, height = gif->Image.Height;
        if (width <= 0 || height <= 0 || width * height > kMaximumPixels) return std::nullopt;
        // Rows come in the order they are stored (interlaced or not): only whether each is given counts.
        std::vector<GifPixelType> row(static_cast<std::size_t>(width));
        for (long long y = 0; y < height; ++y) {
            if (DGifGetLine(gif.get(), row.data(), static_cast<int>(width)) == GIF_ERROR)
                return damageIn(input, gif->Error);
        }
        return std::nullopt;
    }
}

}  // namespace image::detail
