#include "Platform/Image/JpegWarnings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Image/JpegDecompressor.h"

namespace image::detail {

namespace {

// Reads the header and (unless `headerOnly`) decodes to its end, at one eighth of its size, the file.
std::optional<JpegReport> report(const std::filesystem::path& path, bool headerOnly) {
    const auto decoder = JpegDecompressor::open(path, {.stopsAtCorruptData = !headerOnly});
    if (!decoder) return std::nullopt;
    if (decoder->readHeader() && !headerOnly && decoder->scale(8, JDCT_IFAST) && decoder->start()) {
        std::vector<JSAMPLE> row(std::size_t(decoder->info().output_width) *
                                 std::size_t(decoder->info().output_components));
        while (decoder->info().output_scanline < decoder->info().output_height) {
            if (!decoder->readRow(row.data())) break;
        }
        decoder->finish();
    }
    return decoder->report();
}

}  // namespace

FileHandle openRegularFile(const std::filesystem::path& path) {
    FileHandle file(nullptr, std::fclose);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return file;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return file;
    }
    file.reset(::fdopen(fd, "rb"));
    if (!file) ::close(fd);
    return file;
}

std::optional<JpegReport> readJpegWarnings(const std::filesystem::path& path) {
    return report(path, false);
}

std::optional<JpegReport> readJpegHeaderWarnings(const std::filesystem::path& path) {
    return report(path, true);
}

}  // namespace image::detail
