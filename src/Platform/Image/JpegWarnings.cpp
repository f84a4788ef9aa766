#include "Platform/Image/JpegWarnings.h"

#include <csetjmp>
#include <cstdio>
#include <utility>

#include <fcntl.h>
#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Image/LoaderAdmission.h"

namespace image::detail {

namespace {

// The decoder's memory for one pass: the coefficients of an image at the pixel bound with three
// full-resolution channels (a progressive file holds them all at once), and room for its tables.
constexpr long kMemoryCap = long(kMaximumPixels) * 3 * long(sizeof(JCOEF)) + 64L * 1024 * 1024;

// A file's bytes, mapped read-only for as long as this lives.
class MappedFile {
  public:
    explicit MappedFile(const std::filesystem::path& path) {
        // Never blocks, whatever the path names; only a regular file is mapped.
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return;
        struct stat status {};
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
            void* data = ::mmap(nullptr, std::size_t(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (data != MAP_FAILED)
                bytes_ = {static_cast<const std::uint8_t*>(data), std::size_t(status.st_size)};
        }
        ::close(fd);
    }
    ~MappedFile() {
        if (!bytes_.empty()) ::munmap(const_cast<std::uint8_t*>(bytes_.data()), bytes_.size());
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::span<const std::uint8_t> bytes() const { return bytes_; }

  private:
    std::span<const std::uint8_t> bytes_;
};

struct Reporter {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is a pointer to the reporter
    std::jmp_buf stop;
    std::span<const std::uint8_t> data;
    JpegReport report;
};

std::string messageText(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    return text;
}

// Where the bytes skipped before the marker just found lie: right before it, and before any fill
// bytes (0xFF) that lead it. The decoder's input stops at the marker's first byte when it warns.
std::optional<ByteRange> skippedBefore(j_decompress_ptr info, std::span<const std::uint8_t> data,
                                       std::size_t count) {
    const auto* next = info->src->next_input_byte;
    if (next < data.data() || next >= data.data() + data.size()) return std::nullopt;
    const std::size_t marker = std::size_t(next - data.data());
    if (data[marker] != 0xFF || count > marker) return std::nullopt;
    return ByteRange{marker - count, count};
}

// libjpeg prints warnings on standard error and ends the process on errors: both are collected.
void collectMessage(j_common_ptr info, int level) {
    if (level >= 0) return;  // traces
    auto* reporter = reinterpret_cast<Reporter*>(info->err);
    reporter->report.warnings.push_back(messageText(info));
    if (info->err->msg_code == JWRN_EXTRANEOUS_DATA) {
        const auto range = skippedBefore(reinterpret_cast<j_decompress_ptr>(info), reporter->data,
                                         std::size_t(info->err->msg_parm.i[0]));
        if (range) reporter->report.extraneous.push_back(*range);
    }
}

// The valid variant an error says the decoder does not read, if it says one.
std::optional<std::string> unsupportedVariant(const jpeg_error_mgr& error) {
    switch (error.msg_code) {
        case JERR_BAD_PRECISION:
            return std::to_string(error.msg_parm.i[0]) + "-bit JPEG";
        case JERR_ARITH_NOTIMPL:
        case JERR_NOT_COMPILED:
            return "arithmetic-coded JPEG";
        case JERR_SOF_UNSUPPORTED:
            switch (error.msg_parm.i[0]) {
                case 0xC3:
                case 0xCB:
                    return "lossless JPEG";
                default:
                    return "hierarchical JPEG";
            }
        default:
            return std::nullopt;
    }
}

bool isWantOfMemory(const jpeg_error_mgr& error) {
    switch (error.msg_code) {
        case JERR_OUT_OF_MEMORY:
        case JERR_NO_BACKING_STORE:
        case JERR_TFILE_CREATE:
        case JERR_TFILE_READ:
        case JERR_TFILE_SEEK:
        case JERR_TFILE_WRITE:
            return true;
        default:
            return false;
    }
}

[[noreturn]] void stopAtError(j_common_ptr info) {
    auto* reporter = reinterpret_cast<Reporter*>(info->err);
    auto& report = reporter->report;
    if (isWantOfMemory(*info->err)) {
        report.complete = false;
    } else if (auto variant = unsupportedVariant(*info->err)) {
        report.unsupported = std::move(variant);
    } else {
        report.failure = messageText(info);
    }
    std::longjmp(reporter->stop, 1);
}

bool startsAsJpeg(std::span<const std::uint8_t> data) {
    return data.size() >= 2 && data[0] == 0xFF && data[1] == 0xD8;
}

// Decodes `data` to its end at one eighth of its size; what libjpeg reports goes to `reporter`.
// Nothing here owns a resource across the jump back from an error.
void decode(Reporter& reporter, std::vector<JSAMPLE>& row) {
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&reporter.manager);
    reporter.manager.emit_message = collectMessage;
    reporter.manager.error_exit = stopAtError;
    if (setjmp(reporter.stop) == 0) {
        jpeg_create_decompress(&info);
        info.mem->max_memory_to_use = kMemoryCap;
        jpeg_mem_src(&info, reporter.data.data(), static_cast<unsigned long>(reporter.data.size()));
        jpeg_read_header(&info, TRUE);
        if (static_cast<long long>(info.image_width) * info.image_height > kMaximumPixels) {
            reporter.report.complete = false;
        } else {
            info.scale_num = 1;
            info.scale_denom = 8;
            info.dct_method = JDCT_IFAST;
            jpeg_start_decompress(&info);
            row.resize(std::size_t(info.output_width) * std::size_t(info.output_components));
            JSAMPROW rows[1] = {row.data()};
            while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, rows, 1);
            jpeg_finish_decompress(&info);
        }
    }
    jpeg_destroy_decompress(&info);
}

JpegReport reportOn(std::span<const std::uint8_t> data) {
    Reporter reporter;
    reporter.data = data;
    std::vector<JSAMPLE> row;
    decode(reporter, row);
    return std::move(reporter.report);
}

}  // namespace

std::optional<JpegReport> readJpegWarnings(const std::filesystem::path& file) {
    const MappedFile mapped(file);
    if (!startsAsJpeg(mapped.bytes())) return std::nullopt;
    return reportOn(mapped.bytes());
}

std::optional<std::vector<std::uint8_t>> jpegWithoutExtraneousBytes(const std::filesystem::path& file) {
    const MappedFile mapped(file);
    const auto data = mapped.bytes();
    if (!startsAsJpeg(data)) return std::nullopt;
    const auto report = reportOn(data);
    if (!report.complete || report.failure || report.unsupported || report.extraneous.empty())
        return std::nullopt;
    std::vector<std::uint8_t> kept;
    kept.reserve(data.size());
    std::size_t from = 0;
    for (const auto& range : report.extraneous) {
        if (range.offset < from) return std::nullopt;  // a count that spans more than one gap
        kept.insert(kept.end(), data.begin() + std::ptrdiff_t(from),
                    data.begin() + std::ptrdiff_t(range.offset));
        from = range.offset + range.length;
    }
    kept.insert(kept.end(), data.begin() + std::ptrdiff_t(from), data.end());
    // Only bytes that were never image data are gone when the rest still decodes cleanly.
    const auto check = reportOn(kept);
    if (!check.complete || check.failure || !check.extraneous.empty() ||
        check.warnings.size() + report.extraneous.size() != report.warnings.size())
        return std::nullopt;
    return kept;
}

}  // namespace image::detail
