#include "Platform/Image/LoaderAdmission.h"

#include "Platform/Image/BmpExtent.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>
#include <system_error>
#include <variant>

namespace image::detail {

namespace {

struct KnownLoader {
    std::string_view classPrefix;
    std::string_view format;
};

constexpr std::array kKnownLoaders{
    KnownLoader{"VipsForeignLoadJpeg", "jpeg"},  KnownLoader{"VipsForeignLoadPng", "png"},
    KnownLoader{"VipsForeignLoadTiff", "tiff"},  KnownLoader{"VipsForeignLoadNsgif", "gif"},
    KnownLoader{"VipsForeignLoadGif", "gif"},    KnownLoader{"VipsForeignLoadHeif", "heif"},
    KnownLoader{"VipsForeignLoadWebp", "webp"},  KnownLoader{"VipsForeignLoadJp2k", "jp2k"},
    KnownLoader{"VipsForeignLoadMagick", "bmp"},
};

bool startsAsBmp(std::span<const std::uint8_t> head) {
    return head.size() >= 2 && head[0] == 'B' && head[1] == 'M';
}

// The format of the loader libvips picked, when it is one the application reads. ImageMagick reads
// hundreds of formats, some of them scriptable: it is only let near data that says it is a BMP.
std::optional<std::string> admittedFormat(const char* loaderClass, std::span<const std::uint8_t> head,
                                          std::string* error) {
    if (loaderClass != nullptr) {
        const std::string_view name(loaderClass);
        for (const auto& known : kKnownLoaders) {
            if (!name.starts_with(known.classPrefix)) continue;
            if (known.format == "bmp" && !startsAsBmp(head)) break;
            return std::string(known.format);
        }
    }
    reportError(error, "not an image in a supported format");
    return std::nullopt;
}

// How many leading bytes of a BMP of `available` bytes to hold, or none when its header alone says
// it is too large. Headers that cannot be measured keep only themselves: the decoder tells why.
std::optional<std::uint64_t> bmpBytesToKeep(std::span<const std::uint8_t> head, std::uint64_t available,
                                            std::string* error) {
    const auto extent = bmpExtent(head, kMaximumPixels);
    if (std::holds_alternative<BmpTooLarge>(extent)) {
        reportError(error, "image too large (more than 200 megapixels)");
        return std::nullopt;
    }
    const auto* bytes = std::get_if<std::uint64_t>(&extent);
    return std::min(available, bytes ? *bytes : head.size());
}

vips::VSource sourceOwningCopyOf(std::span<const std::uint8_t> bytes) {
    VipsBlob* blob = vips_blob_copy(bytes.data(), bytes.size());
    vips::VSource source(vips_source_new_from_blob(blob));
    vips_area_unref(VIPS_AREA(blob));
    return source;
}

}  // namespace

void reportError(std::string* error, const std::string& message) {
    detail::forgetErrors();
    if (error != nullptr) *error = message;
}

std::optional<Admission> admitFile(const std::filesystem::path& path, std::string* error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        reportError(error, "not a readable file");
        return std::nullopt;
    }
    const std::uint64_t size = std::filesystem::file_size(path, ec);
    if (ec || size == 0) {
        reportError(error, ec ? "not a readable file" : "empty file");
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> head(kBmpHeaderBytes);
    in.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
    head.resize(std::size_t(in.gcount()));
    if (startsAsBmp(head)) {
        // ImageMagick reads BMPs from memory: hold only what the headers say the image takes, never
        // bytes that follow it.
        const auto keep = bmpBytesToKeep(head, size, error);
        if (!keep) return std::nullopt;
        std::vector<std::uint8_t> image(*keep);
        in.clear();  // a file shorter than the largest header ended the first read
        in.seekg(0);
        in.read(reinterpret_cast<char*>(image.data()), std::streamsize(image.size()));
        image.resize(std::size_t(in.gcount()));
        auto admission = admitBytes(image, error);
        if (admission) admission->file = path;
        return admission;
    }
    try {
        // A source takes the path as it is; a file name is never read as "name[options]".
        auto source = vips::VSource::new_from_file(path.c_str());
        const auto format = admittedFormat(vips_foreign_find_load_source(source.get_source()), {}, error);
        if (!format) return std::nullopt;
        return Admission{*format, source, nullptr, path};
    } catch (const vips::VError& e) {
        reportError(error, "not a readable file: " + newestErrorLine(e.what()));
        return std::nullopt;
    }
}

std::optional<Admission> admitBytes(std::span<const std::uint8_t> bytes, std::string* error) {
    if (bytes.empty()) {
        reportError(error, "empty data");
        return std::nullopt;
    }
    const auto format =
        admittedFormat(vips_foreign_find_load_buffer(bytes.data(), bytes.size()), bytes, error);
    if (!format) return std::nullopt;
    if (*format == "bmp") {
        const auto keep =
            bmpBytesToKeep(bytes.first(std::min(bytes.size(), kBmpHeaderBytes)), bytes.size(), error);
        if (!keep) return std::nullopt;
        const auto image = bytes.first(std::size_t(*keep));
        return Admission{*format,
                         std::nullopt,
                         std::make_shared<const std::vector<std::uint8_t>>(image.begin(), image.end()),
                         {}};
    }
    // The source owns a copy of the bytes, so a lazy pipeline may outlive the caller's buffer.
    return Admission{*format, sourceOwningCopyOf(bytes), nullptr, {}};
}

vips::VImage openAdmitted(const Admission& admission, vips::VOption* options) {
    // A file that ends early fails to decode instead of giving an image with a grey bottom.
    if (options == nullptr) options = vips::VImage::option();
    options->set("fail_on", VIPS_FAIL_ON_TRUNCATED);
    // Work that collects what decoders report decodes each file once, from start to end, on threads
    // that report to it (see WarningLog.h).
    if (currentWarningLog()) options->set("access", VIPS_ACCESS_SEQUENTIAL);
    if (admission.source) return vips::VImage::new_from_source(*admission.source, "", options);
    // ImageMagick reads only from memory that the caller owns: decode while the bytes are here.
    const auto header =
        vips::VImage::new_from_buffer(admission.bytes->data(), admission.bytes->size(), "", options);
    return exceedsPixelBound(header) ? header : header.copy_memory();
}

bool exceedsPixelBound(const vips::VImage& header) {
    return static_cast<long long>(header.width()) * header.height() > kMaximumPixels;
}

}  // namespace image::detail
