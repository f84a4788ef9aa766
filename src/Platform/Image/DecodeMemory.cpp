#include "Platform/Image/DecodeMemory.h"

#include <sys/mman.h>

#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/WarningLog.h"

namespace image::detail {

std::uint64_t decodeMemory(std::uint64_t width, std::uint64_t height, int bands, int bytesPerSample,
                           const std::string& format) {
    const std::uint64_t pixels = width * height;
    std::uint64_t frame = 0;
    if (format == "gif") frame = pixels * 4;  // libnsgif's RGBA frame
    if (format == "heif" || format == "webp") frame = pixels * std::uint64_t(bands * bytesPerSample);
    if (format == "bmp") frame = pixels * 8;  // ImageMagick's 16-bit RGBA
    return pixels * std::uint64_t(bands * bytesPerSample) + frame;
}

std::uint64_t decodeMemory(const vips::VImage& header, const std::string& format) {
    return decodeMemory(std::uint64_t(header.width()), std::uint64_t(header.height()), header.bands(),
                        int(vips_format_sizeof(header.format())), format);
}

bool memoryAvailableFor(std::uint64_t bytes, std::string* error) {
    if (bytes == 0) return true;
    // Mapped, never touched, and unmapped: it costs no memory, only the check of the address-space
    // and commit limits that an allocation of that size meets.
    void* probe = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (probe != MAP_FAILED) {
        ::munmap(probe, bytes);
        return true;
    }
    const std::string words =
        "out of memory: the decoded image needs " + std::to_string(bytes / (1024 * 1024)) + " MB";
    if (const auto& log = currentWarningLog()) log->addFailure(words);
    reportError(error, words);
    return false;
}

}  // namespace image::detail
