#include "Platform/Image/JpegWarnings.h"

#include <array>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <utility>

#include <fcntl.h>
// The marker reader's state, which the decoder keeps in its internal header, tells where skipped
// bytes lie.
#define JPEG_INTERNALS
#include <jpeglib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Image/DecoderWords.h"
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
    // A disc that fails to give the file's bytes says nothing about them.
    if (count == 0 && std::ferror(source->file)) ERREXIT(info, JERR_FILE_READ);
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

// Warning texts kept per file; the rest are only counted.
constexpr std::size_t kKeptWarnings = 8;
// Places where skipped scan bytes are listed: one per restart interval and scan of an image at the
// pixel bound, at most.
constexpr std::size_t kListedPaddings = std::size_t(kMaximumPixels / 64);
// Scans read before the pass gives up. Encoders write about ten; a file may hold thousands, each of
// which makes the decoder step through every block of the image again.
constexpr std::size_t kMaximumScans = 300;

struct Reporter {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is a pointer to the reporter
    std::jmp_buf stop;
    const FileSource* file = nullptr;
    JpegReport report;
    // Whether the pass ends at the first word of corrupt data, after which nothing it reads can change
    // what the report says. A pass over the header alone reads it all: it is short, and its reader
    // weighs a variant not read here, which may come later, above corrupt data.
    bool stopsAtCorruptData = false;
    std::size_t scans = 0;
    // The marker reader's own steps, which the reporter's wrap.
    int (*readMarkers)(j_decompress_ptr) = nullptr;
    boolean (*readRestartMarker)(j_decompress_ptr) = nullptr;
    bool inScan = false;
    // While the marker after a scan or a restart interval is looked for: bytes skipped then end the
    // scan's data. From where the scan's skipped bytes may start (the entropy decoder's position).
    bool awaitingScanEnd = false;
    std::size_t scanEndFrom = 0;
    bool awaitingRestart = false;
    // Bytes the decoder counted as skipped at earlier restarts without warning yet: it adds them to
    // the next warning's count, though they lie elsewhere (already listed).
    std::size_t lumped = 0;

    std::size_t offset() const { return file->offset(); }

    void addPadding(std::size_t from, std::size_t length) {
        if (length == 0) return;
        if (report.scanPadding.size() >= kListedPaddings) {
            report.scanPaddingUnlisted = true;
            return;
        }
        report.scanPadding.push_back({from, length});
    }
};

Reporter& reporterOf(j_decompress_ptr info) {
    return *reinterpret_cast<Reporter*>(info->err);
}

std::string messageText(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    return text;
}

// Notes a warning in the report.
void noteWarning(j_common_ptr info) {
    auto* reporter = reinterpret_cast<Reporter*>(info->err);
    auto& report = reporter->report;
    ++report.warningCount;
    const bool keep = report.warnings.size() < kKeptWarnings;
    if (keep || !report.corruptData) {
        std::string text = messageText(info);
        if (!report.corruptData && reportsCorruptData(text)) report.corruptData = text;
        if (keep) report.warnings.push_back(std::move(text));
    }
    if (info->err->msg_code != JWRN_EXTRANEOUS_DATA) return;
    // The decoder warns of bytes it skipped once it finds the marker after them, its input stopping at
    // the marker's first byte: the skipped bytes come right before, less those counted at earlier
    // restarts.
    const auto count = std::size_t(info->err->msg_parm.i[0]);
    const std::size_t own = count - std::min(count, std::exchange(reporter->lumped, 0));
    const std::size_t marker = reporter->offset();
    if (own > marker) return;
    if (reporter->awaitingRestart || (reporter->awaitingScanEnd && marker - own <= reporter->scanEndFrom)) {
        reporter->addPadding(marker - own, own);
        reporter->awaitingScanEnd = false;
    }
}

// libjpeg prints warnings on standard error and ends the process on errors: both are collected. A
// damaged file may warn in every one of thousands of scans, so the pass stops once the report knows
// it is damaged. Bytes skipped before a marker are not damage (a file with too many of them for
// libvips reads whole without them), so their warnings never stop it.
void collectMessage(j_common_ptr info, int level) {
    if (level >= 0) return;  // traces
    noteWarning(info);
    auto& reporter = *reinterpret_cast<Reporter*>(info->err);
    if (reporter.stopsAtCorruptData && reporter.report.corruptData) std::longjmp(reporter.stop, 1);
}

// The marker reader at the end of a scan and between scans.
int readMarkersNoting(j_decompress_ptr info) {
    auto& reporter = reporterOf(info);
    if (std::exchange(reporter.inScan, false) && info->unread_marker == 0) {
        reporter.awaitingScanEnd = true;
        reporter.scanEndFrom = reporter.offset();
    }
    const int result = reporter.readMarkers(info);
    reporter.awaitingScanEnd = false;
    reporter.inScan = result == JPEG_REACHED_SOS;
    if (reporter.inScan && ++reporter.scans > kMaximumScans) {
        // Reading on could take hours; what the rest holds is not known.
        reporter.report.complete = false;
        std::longjmp(reporter.stop, 1);
    }
    return result;
}

// The marker reader at a restart marker. The decoder has added the whole bytes it read ahead but did
// not use to its count of skipped bytes (which may still hold those of earlier restarts); they lie
// right before the marker.
boolean readRestartMarkerNoting(j_decompress_ptr info) {
    auto& reporter = reporterOf(info);
    const std::size_t counted = info->marker->discarded_bytes;
    const std::size_t unused = counted - std::min(counted, reporter.lumped);
    if (info->unread_marker != 0) {
        // It has read the marker itself (its fill byte and code) and will warn of the unused bytes only
        // at a later marker, in that one's count.
        const std::size_t marker = reporter.offset() - std::min<std::size_t>(reporter.offset(), 2);
        if (unused <= marker) reporter.addPadding(marker - unused, unused);
        reporter.lumped += unused;
        return reporter.readRestartMarker(info);
    }
    reporter.awaitingRestart = true;
    const boolean result = reporter.readRestartMarker(info);
    reporter.awaitingRestart = false;
    return result;
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

// Memory, temporary storage or a disc that failed: nothing is then known about the data.
bool isNotAboutTheData(const jpeg_error_mgr& error) {
    switch (error.msg_code) {
        case JERR_FILE_READ:
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
    if (isNotAboutTheData(*info->err)) {
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

// Reads the header and (unless `headerOnly`) decodes to its end, at one eighth of its size, the data
// of `source`; what libjpeg reports goes to `reporter`. Nothing here owns a resource across the jump
// back from an error.
void decode(Reporter& reporter, std::vector<JSAMPLE>& row, FileSource& source, bool headerOnly) {
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&reporter.manager);
    reporter.manager.emit_message = collectMessage;
    reporter.manager.error_exit = stopAtError;
    reporter.stopsAtCorruptData = !headerOnly;
    if (setjmp(reporter.stop) == 0) {
        jpeg_create_decompress(&info);
        info.mem->max_memory_to_use = kMemoryCap;
        info.src = &source.manager;
        reporter.readMarkers = info.marker->read_markers;
        reporter.readRestartMarker = info.marker->read_restart_marker;
        info.marker->read_markers = readMarkersNoting;
        info.marker->read_restart_marker = readRestartMarkerNoting;
        jpeg_read_header(&info, TRUE);
        if (headerOnly) {
            // Nothing beyond the header was read.
        } else if (static_cast<long long>(info.image_width) * info.image_height > kMaximumPixels) {
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

std::optional<JpegReport> report(const std::filesystem::path& path, bool headerOnly) {
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
    reporter.report.file = path;
    std::vector<JSAMPLE> row;
    decode(reporter, row, source, headerOnly);
    return std::move(reporter.report);
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
