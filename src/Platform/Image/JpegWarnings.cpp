#include "Platform/Image/JpegWarnings.h"

#include <array>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <utility>

#include <fcntl.h>
#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Image/LoaderAdmission.h"

namespace image::detail {

namespace {

// The decoder's memory for one pass: the coefficients of an image at the pixel bound with three
// full-resolution channels (a progressive file holds them all at once), and room for its tables.
constexpr long kMemoryCap = long(kMaximumPixels) * 3 * long(sizeof(JCOEF)) + 64L * 1024 * 1024;

// libjpeg's source reading a file, that also tells the offset in the file of the next byte the decoder
// reads. At the end of the file it gives an end marker, with the warning that the data ended early,
// as libjpeg's own source does.
struct FileSource {
    jpeg_source_mgr manager{};  // first, so libjpeg's pointer to it is a pointer to the source
    std::FILE* file = nullptr;
    std::size_t filled = 0;  // bytes read from the file so far
    std::vector<JOCTET> buffer = std::vector<JOCTET>(64 * 1024);

    std::size_t offset() const { return filled - manager.bytes_in_buffer; }
};

void startSource(j_decompress_ptr) {}
void endSource(j_decompress_ptr) {}

boolean fillSource(j_decompress_ptr info) {
    auto* source = reinterpret_cast<FileSource*>(info->src);
    std::size_t count = std::fread(source->buffer.data(), 1, source->buffer.size(), source->file);
    source->filled += count;
    if (count == 0) {
        WARNMS(info, JWRN_JPEG_EOF);
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
        source->filled += count;  // keeps offsets past the end, where no byte is ever removed
    }
    source->manager.next_input_byte = source->buffer.data();
    source->manager.bytes_in_buffer = count;
    return TRUE;
}

void skipSource(j_decompress_ptr info, long count) {
    auto* source = reinterpret_cast<FileSource*>(info->src);
    while (count > long(source->manager.bytes_in_buffer)) {
        count -= long(source->manager.bytes_in_buffer);
        fillSource(info);
    }
    if (count > 0) {
        source->manager.next_input_byte += count;
        source->manager.bytes_in_buffer -= std::size_t(count);
    }
}

struct Reporter {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is a pointer to the reporter
    std::jmp_buf stop;
    const FileSource* file = nullptr;  // the source, when it is a file
    const JOCTET* bytes = nullptr;     // the first byte, when the source is memory
    JpegReport report;

    // The offset of the next byte the decoder reads.
    std::size_t offset(j_common_ptr info) const {
        if (file) return file->offset();
        return std::size_t(reinterpret_cast<j_decompress_ptr>(info)->src->next_input_byte - bytes);
    }
};

std::string messageText(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    return text;
}

// libjpeg prints warnings on standard error and ends the process on errors: both are collected.
void collectMessage(j_common_ptr info, int level) {
    if (level >= 0) return;  // traces
    auto* reporter = reinterpret_cast<Reporter*>(info->err);
    reporter->report.warnings.push_back(messageText(info));
    // The decoder warns of bytes it skipped once it finds the marker after them, its input stopping
    // at the marker's first byte (fill bytes included): the skipped bytes come right before.
    if (info->err->msg_code == JWRN_EXTRANEOUS_DATA) {
        const auto count = std::size_t(info->err->msg_parm.i[0]);
        const std::size_t marker = reporter->offset(info);
        if (count <= marker) reporter->report.extraneous.push_back({marker - count, count});
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

bool startsAsJpeg(std::span<const std::uint8_t> head) {
    return head.size() >= 2 && head[0] == 0xFF && head[1] == 0xD8;
}

// Decodes to its end, at one eighth of its size, the data that `setSource` gives the decoder; what
// libjpeg reports goes to `reporter`. Nothing here owns a resource across the jump back from an error.
void decode(Reporter& reporter, std::vector<JSAMPLE>& row, void (*setSource)(j_decompress_ptr, void*),
            void* source) {
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&reporter.manager);
    reporter.manager.emit_message = collectMessage;
    reporter.manager.error_exit = stopAtError;
    if (setjmp(reporter.stop) == 0) {
        jpeg_create_decompress(&info);
        info.mem->max_memory_to_use = kMemoryCap;
        setSource(&info, source);
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

JpegReport reportOn(std::span<const std::uint8_t> bytes) {
    Reporter reporter;
    reporter.bytes = bytes.data();
    std::vector<JSAMPLE> row;
    const auto fromMemory = [](j_decompress_ptr info, void* data) {
        const auto* span = static_cast<std::span<const std::uint8_t>*>(data);
        jpeg_mem_src(info, span->data(), static_cast<unsigned long>(span->size()));
    };
    decode(reporter, row, fromMemory, &bytes);
    return std::move(reporter.report);
}

// The file open for reading, when it is a regular file; opening never blocks, whatever the path names.
std::unique_ptr<std::FILE, int (*)(std::FILE*)> openRegularFile(const std::filesystem::path& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(nullptr, std::fclose);
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

}  // namespace

std::optional<JpegReport> readJpegWarnings(const std::filesystem::path& path) {
    const auto file = openRegularFile(path);
    std::array<std::uint8_t, 2> head{};
    if (!file || std::fread(head.data(), 1, head.size(), file.get()) != head.size() || !startsAsJpeg(head))
        return std::nullopt;
    std::rewind(file.get());
    FileSource source;
    source.file = file.get();
    source.manager.init_source = startSource;
    source.manager.fill_input_buffer = fillSource;
    source.manager.skip_input_data = skipSource;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = endSource;
    Reporter reporter;
    reporter.file = &source;
    std::vector<JSAMPLE> row;
    const auto fromFile = [](j_decompress_ptr info, void* data) {
        info->src = &static_cast<FileSource*>(data)->manager;
    };
    decode(reporter, row, fromFile, &source);
    return std::move(reporter.report);
}

std::optional<std::vector<std::uint8_t>> jpegWithoutExtraneousBytes(const std::filesystem::path& path) {
    const auto report = readJpegWarnings(path);
    if (!report || !report->complete || report->failure || report->unsupported || report->extraneous.empty())
        return std::nullopt;
    const auto file = openRegularFile(path);
    if (!file) return std::nullopt;
    std::vector<std::uint8_t> data;
    std::array<std::uint8_t, 64 * 1024> chunk{};
    for (std::size_t count; (count = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0;)
        data.insert(data.end(), chunk.begin(), chunk.begin() + std::ptrdiff_t(count));
    std::vector<std::uint8_t> kept;
    kept.reserve(data.size());
    std::size_t from = 0;
    for (const auto& range : report->extraneous) {
        // Each range ends where a marker starts; ranges come in order and never overlap.
        const std::size_t end = range.offset + range.length;
        if (range.offset < from || end >= data.size() || data[end] != 0xFF) return std::nullopt;
        kept.insert(kept.end(), data.begin() + std::ptrdiff_t(from),
                    data.begin() + std::ptrdiff_t(range.offset));
        from = end;
    }
    kept.insert(kept.end(), data.begin() + std::ptrdiff_t(from), data.end());
    // Only bytes that were never image data are gone when the rest still decodes cleanly.
    const auto check = reportOn(kept);
    if (!check.complete || check.failure || !check.extraneous.empty() ||
        check.warnings.size() + report->extraneous.size() != report->warnings.size())
        return std::nullopt;
    return kept;
}

}  // namespace image::detail
