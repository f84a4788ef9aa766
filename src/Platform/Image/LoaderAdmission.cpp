#include "Platform/Image/LoaderAdmission.h"

#include "Platform/Image/BmpExtent.h"
#include "Platform/Image/CutShort.h"
#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/JpegWithoutUnusedMetadata.h"
#include "Platform/Image/OwnErrors.h"
#include "Platform/Image/TiffWithoutLargeMetadata.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <string_view>
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

// The bytes that hold a BMP's image, read from its file when it was admitted from one. A file that
// shrank since gives fewer, which the decoder refuses.
std::shared_ptr<const std::vector<std::uint8_t>> bmpBytes(const std::shared_ptr<const BmpData>& bmp) {
    if (!bmp->file) return {bmp, &bmp->bytes};
    auto bytes = std::make_shared<std::vector<std::uint8_t>>(std::size_t(bmp->length));
    std::size_t done = 0;
    while (done < bytes->size()) {
        const auto got =
            ::pread(::fileno(bmp->file.get()), bytes->data() + done, bytes->size() - done, off_t(done));
        if (got <= 0) break;
        done += std::size_t(got);
    }
    bytes->resize(done);
    return bytes;
}

void keepAlongside(const vips::VImage& image, std::shared_ptr<const std::vector<std::uint8_t>> bytes) {
    g_object_set_data_full(
        G_OBJECT(image.get_image()), "vorta-bytes",
        new std::shared_ptr<const std::vector<std::uint8_t>>(std::move(bytes)),
        [](gpointer p) { delete static_cast<std::shared_ptr<const std::vector<std::uint8_t>>*>(p); });
}

}  // namespace

void reportError(std::string* error, const std::string& message) {
    detail::forgetErrors();
    if (error != nullptr) *error = message;
}

std::optional<Admission> admitFile(const std::filesystem::path& path, std::string* error, bool* damaged) {
    // Opened once, without blocking, and read only through this descriptor: a path that names
    // something else by the time it is read (a named pipe, say) never stalls the thread.
    std::shared_ptr<std::FILE> file = openRegularFile(path);
    struct stat status {};
    if (!file || ::fstat(::fileno(file.get()), &status) != 0) {
        reportError(error, "not a readable file");
        return std::nullopt;
    }
    const auto size = std::uint64_t(status.st_size);
    if (size == 0) {
        reportError(error, "empty file");
        return std::nullopt;
    }
    std::vector<std::uint8_t> head(std::min<std::uint64_t>(size, kBmpHeaderBytes));
    const auto got = ::pread(::fileno(file.get()), head.data(), head.size(), 0);
    head.resize(std::size_t(std::max<ssize_t>(got, 0)));
    if (startsAsBmp(head)) {
        // ImageMagick reads BMPs from memory: only what the headers say the image takes is read,
        // never bytes that follow it, and only when it is decoded.
        const auto format =
            admittedFormat(vips_foreign_find_load_buffer(head.data(), head.size()), head, error);
        if (!format) return std::nullopt;
        const auto keep = bmpBytesToKeep(head, size, error);
        if (!keep) return std::nullopt;
        auto bmp = std::make_shared<BmpData>();
        bmp->head = std::move(head);
        bmp->length = *keep;
        bmp->file = std::move(file);
        return Admission{*format, std::nullopt, std::move(bmp), path};
    }
    // A TIFF whose metadata blocks are large, or a JPEG carrying many blocks its loader would hold but
    // not use, is read without those.
    auto view = tiffWithoutLargeMetadata(file);
    if (!view) view = jpegWithoutUnusedMetadata(file);
    if (view) {
        const auto format = admittedFormat(vips_foreign_find_load_source(view->get_source()), {}, error);
        if (!format) return std::nullopt;
        return Admission{*format, *view, nullptr, path};
    }
    // libvips keeps a duplicate of the descriptor, for as long as the source lives.
    const OwnErrors own;
    VipsSource* opened = vips_source_new_from_descriptor(::fileno(file.get()));
    if (opened == nullptr) {
        reportError(error, "not a readable file: " + newestErrorLine(own.text()));
        return std::nullopt;
    }
    // Its duplicate lost close-on-exec: a program started meanwhile (a file manager opened from the
    // results) must not keep the user's file open.
    ::fcntl(VIPS_CONNECTION(opened)->descriptor, F_SETFD, FD_CLOEXEC);
    vips::VSource source(opened);
    const auto format = admittedFormat(vips_foreign_find_load_source(source.get_source()), {}, error);
    if (!format) {
        // libvips knows a TIFF by its first directory: one cut off before it is taken for no image.
        if (auto cut = tiffCutShort(head, size)) {
            reportError(error, *cut);
            if (damaged) *damaged = true;
        }
        return std::nullopt;
    }
    return Admission{*format, source, nullptr, path};
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
        const auto head = bytes.first(std::min(bytes.size(), kBmpHeaderBytes));
        const auto keep = bmpBytesToKeep(head, bytes.size(), error);
        if (!keep) return std::nullopt;
        auto bmp = std::make_shared<BmpData>();
        bmp->head.assign(head.begin(), head.end());
        bmp->length = *keep;
        const auto image = bytes.first(std::size_t(*keep));
        bmp->bytes.assign(image.begin(), image.end());
        return Admission{*format, std::nullopt, std::move(bmp), {}};
    }
    // The source owns a copy of the bytes, so a lazy pipeline may outlive the caller's buffer.
    if (*format == "jpeg") {
        if (const auto kept = jpegWithoutUnusedMetadata(bytes))
            return Admission{*format, sourceOwningCopyOf(*kept), nullptr, {}};
    }
    return Admission{*format, sourceOwningCopyOf(bytes), nullptr, {}};
}

vips::VImage openAdmitted(const Admission& admission, vips::VOption* options) {
    // A file that ends early fails to decode instead of giving an image with a grey bottom.
    if (options == nullptr) options = vips::VImage::option();
    options->set("fail_on", VIPS_FAIL_ON_TRUNCATED);
    // Work that collects what decoders report decodes each file once, from start to end, on threads
    // that report to it (see ReportingStages.h).
    if (currentWarningLog()) options->set("access", VIPS_ACCESS_SEQUENTIAL);
    if (admission.source) {
        auto image = vips::VImage::new_from_source(*admission.source, "", options);
        if (admission.format != "heif") return image;
        // A copy, so that the loader's own image (which libvips may share) is left as it is.
        image = image.copy();
        ownLoaderMetadata(image);
        return image;
    }
    // ImageMagick reads only from memory that the caller owns: decode while the bytes are here.
    const auto bytes = bmpBytes(admission.bmp);
    auto header = vips::VImage::new_from_buffer(bytes->data(), bytes->size(), "", options);
    if (!exceedsPixelBound(header)) return header.copy_memory();
    // Never decoded, but the image refers to the bytes as long as it lives.
    keepAlongside(header, bytes);
    return header;
}

void ownLoaderMetadata(vips::VImage& image) {
    VipsImage* raw = image.get_image();
    gchar** names = vips_image_get_fields(raw);
    for (gchar** name = names; *name != nullptr; ++name) {
        if (vips_image_get_typeof(raw, *name) != VIPS_TYPE_BLOB) continue;
        const void* data = nullptr;
        std::size_t length = 0;
        if (vips_image_get_blob(raw, *name, &data, &length) == 0)
            vips_image_set_blob_copy(raw, *name, data, length);
    }
    g_strfreev(names);
}

bool exceedsPixelBound(const vips::VImage& header) {
    return static_cast<long long>(header.width()) * header.height() > kMaximumPixels;
}

}  // namespace image::detail
