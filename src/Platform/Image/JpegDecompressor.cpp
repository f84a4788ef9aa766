#include "Platform/Image/JpegDecompressor.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <utility>

#include <jerror.h>

#include <unistd.h>

#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/LoaderAdmission.h"

namespace image::detail {

namespace {

// The decoder's memory for one file: the coefficients of an image at the pixel bound with three
// full-resolution channels (a progressive file holds them all at once), and room for its tables.
constexpr long kMemoryCap = long(kMaximumPixels) * 3 * long(sizeof(JCOEF)) + 64L * 1024 * 1024;

// Warning texts kept per file; the rest are only counted.
constexpr std::size_t kKeptWarnings = 8;

// Scans times pixels that the decoder steps through before it gives up: each scan makes it step through
// the blocks of the image again, and a small file may hold thousands. Encoders write about ten scans,
// hand-made scan scripts a few hundred; at the pixel bound this still allows 64.
constexpr long long kMaximumScanPixels = 64 * kMaximumPixels;

// libjpeg-turbo decodes a block's codes on a fast path, which takes a bad code for a good one without a
// word, when at least this many bytes per block of a unit are in its buffer: it is given fewer.
constexpr std::size_t kSlowPathSlice = 511;

std::string messageText(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    return text;
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

// Notes an error in `report`.
void noteError(JpegReport& report, const jpeg_error_mgr& error, const char* text) {
    if (isNotAboutTheData(error)) {
        report.complete = false;
    } else if (auto variant = unsupportedVariant(error)) {
        report.unsupported = std::move(variant);
    } else {
        report.failure = text;
    }
}

// Whether the bytes at `offset` of `fd` are a JPEG's start marker.
bool startsAsJpeg(int fd, std::uint64_t offset) {
    std::array<std::uint8_t, 2> head{};
    return ::pread(fd, head.data(), head.size(), off_t(offset)) == ssize_t(head.size()) && head[0] == 0xFF &&
           head[1] == 0xD8;
}

}  // namespace

// Nothing here holds an object with a destructor where libjpeg may jump back from an error: the
// callbacks keep their state in the decompressor, and every step is one libjpeg call.

std::unique_ptr<JpegDecompressor> JpegDecompressor::open(const std::filesystem::path& path, Options options) {
    auto file = openRegularFile(path);
    if (!file) return nullptr;
    const int fd = ::fileno(file.get());
    if (!startsAsJpeg(fd, 0)) return nullptr;
    std::unique_ptr<JpegDecompressor> decompressor(
        new JpegDecompressor(std::move(file), fd, 0, std::numeric_limits<std::uint64_t>::max(), {}, options));
    decompressor->report_.file = path;
    return decompressor->created_ ? std::move(decompressor) : nullptr;
}

std::unique_ptr<JpegDecompressor> JpegDecompressor::open(int fd, std::span<const std::uint8_t> tables,
                                                         std::uint64_t offset, std::uint64_t count,
                                                         Options options) {
    if (count < 2 || !startsAsJpeg(fd, offset)) return nullptr;
    // A range that runs past the file's end ends with it, however far it says it runs.
    const std::uint64_t end = count > std::numeric_limits<std::uint64_t>::max() - offset
                                  ? std::numeric_limits<std::uint64_t>::max()
                                  : offset + count;
    std::unique_ptr<JpegDecompressor> decompressor(
        new JpegDecompressor(FileHandle(nullptr, std::fclose), fd, offset, end,
                             std::vector<std::uint8_t>(tables.begin(), tables.end()), options));
    return decompressor->created_ ? std::move(decompressor) : nullptr;
}

JpegDecompressor::JpegDecompressor(FileHandle file, int fd, std::uint64_t begin, std::uint64_t end,
                                   std::vector<std::uint8_t> tables, Options options)
    : file_(std::move(file)),
      fd_(fd),
      end_(end),
      tables_(std::move(tables)),
      options_(options),
      bufferAt_(begin) {
    info_.err = jpeg_std_error(&errors_);
    errors_.emit_message = collectMessage;
    errors_.error_exit = stopAtError;
    info_.client_data = this;
    if (setjmp(stop_) != 0) return;
    jpeg_create_decompress(&info_);
    created_ = true;
    info_.mem->max_memory_to_use = kMemoryCap;
    source_.init_source = [](j_decompress_ptr) {};
    source_.fill_input_buffer = fillSource;
    source_.skip_input_data = skipSource;
    source_.resync_to_restart = jpeg_resync_to_restart;
    source_.term_source = [](j_decompress_ptr) {};
    info_.src = &source_;
    progress_.progress_monitor = watchScans;
    info_.progress = &progress_;
    if (options_.keepsMetadata) {
        for (const int marker : {JPEG_APP0 + 1, JPEG_APP0 + 2, JPEG_APP0 + 13})
            jpeg_set_marker_processor(&info_, marker, keepMarker);
    }
}

JpegDecompressor::~JpegDecompressor() {
    jpeg_destroy_decompress(&info_);
}

JpegDecompressor& JpegDecompressor::of(j_common_ptr info) {
    return *static_cast<JpegDecompressor*>(info->client_data);
}

void JpegDecompressor::stop(std::string_view reason) {
    stopped_ = true;
    stopReason_.assign(reason);
    std::longjmp(stop_, 1);
}

bool JpegDecompressor::readHeader() {
    if (stopped_) return false;
    if (setjmp(stop_) != 0) return false;
    // The tables' stream is a datastream of its own, which leaves its tables for the next.
    if (!tables_.empty()) jpeg_read_header(&info_, FALSE);
    jpeg_read_header(&info_, TRUE);
    if (!options_.convertsColour) info_.out_color_space = info_.jpeg_color_space;
    settledAt_ = position();
    return true;
}

bool JpegDecompressor::scale(int shrink, J_DCT_METHOD method) {
    return scaleToEighths(8 / shrink, method);
}

bool JpegDecompressor::scaleToEighths(int eighths, J_DCT_METHOD method) {
    if (stopped_) return false;
    if (setjmp(stop_) != 0) return false;
    info_.scale_num = unsigned(eighths);
    info_.scale_denom = 8;
    info_.dct_method = method;
    jpeg_calc_output_dimensions(&info_);
    return true;
}

bool JpegDecompressor::start() {
    if (stopped_) return false;
    if (setjmp(stop_) != 0) return false;
    if (static_cast<long long>(info_.image_width) * info_.image_height > kMaximumPixels) {
        report_.complete = false;
        stop("image too large (more than 200 megapixels)");
    }
    jpeg_start_decompress(&info_);
    return true;
}

bool JpegDecompressor::readRow(JSAMPLE* row) {
    if (stopped_) return false;
    if (setjmp(stop_) != 0) return false;
    JSAMPROW rows[1] = {row};
    jpeg_read_scanlines(&info_, rows, 1);
    return true;
}

bool JpegDecompressor::finish() {
    if (stopped_) return false;
    if (setjmp(stop_) != 0) return false;
    // Asked before the decode ends: libjpeg then frees what a progressive file's scans gave.
    const bool scansWhole = everyScanWhole();
    jpeg_finish_decompress(&info_);
    if (fileEndedEarly_ && !report_.corruptData && !scansWhole) {
        report_.corruptData = "Premature end of JPEG file, before its last scan";
        stop(*report_.corruptData);
    }
    // A file whose end the decoder reached while it still took bytes as image data skipped none at its
    // end: the run of one value there (a tail overwritten by zeros, the end marker with it) is then
    // what it decoded in place of data that is missing.
    const std::uint64_t end = bufferAt_ + bufferLength_;
    if (fileEndedEarly_ && !report_.corruptData && settledAt_ < end &&
        !skippedBytesArePadding(fileReader(), settledAt_, end, 0)) {
        report_.corruptData =
            "Premature end of JPEG file, after a run of one byte value decoded as image data";
        stop(*report_.corruptData);
    }
    return true;
}

FileReader JpegDecompressor::fileReader() const {
    const int fd = fd_;
    return [fd](std::uint64_t offset, std::uint8_t* into, std::size_t count) {
        return long(::pread(fd, into, count, off_t(offset)));
    };
}

std::uint64_t JpegDecompressor::position() const {
    if (atFileEnd_) return bufferAt_ + bufferLength_;
    return bufferAt_ + std::uint64_t(source_.next_input_byte - buffer_.data());
}

bool JpegDecompressor::everyScanWhole() const {
    // A progressive file, read whole before its first row, says in its coefficients' bits how far its
    // scans went: each to its last bit.
    if (info_.progressive_mode) {
        for (int c = 0; c < info_.num_components; ++c) {
            for (int k = 0; k < DCTSIZE2; ++k) {
                if (info_.coef_bits[c][k] != 0) return false;
            }
        }
        return true;
    }
    // A sequential file of one scan: the missing bytes would have been in it, where libjpeg says so.
    return info_.input_scan_number == 1;
}

bool JpegDecompressor::warnsOfCorruptData(const std::string& text) {
    switch (errors_.msg_code) {
        case JWRN_EXTRANEOUS_DATA: {
            // Bytes between header segments hold no pixels.
            if (info_.input_scan_number == 0) return false;
            const std::uint64_t from = settledAt_;
            settledAt_ = position();
            return !skippedBytesArePadding(fileReader(), from, settledAt_,
                                           std::uint64_t(errors_.msg_parm.i[0]));
        }
        case JWRN_JPEG_EOF:
            // Cut inside a scan, the decoder says too that its data ended early; cut between scans, the
            // decode's end tells.
            fileEndedEarly_ = true;
            return false;
        default:
            return reportsCorruptData(text);
    }
}

// libjpeg prints warnings on standard error: they are collected. A damaged file may warn in every one
// of thousands of scans, so a decode that stops at corrupt data stops at its first word.
void JpegDecompressor::collectMessage(j_common_ptr info, int level) {
    if (level >= 0) return;  // traces
    auto& self = of(info);
    auto& report = self.report_;
    ++report.warningCount;
    bool corrupt = false;
    if (report.warnings.size() < kKeptWarnings || !report.corruptData) {
        std::string text = messageText(info);
        corrupt = self.warnsOfCorruptData(text) && !report.corruptData;
        if (corrupt) report.corruptData = text;
        if (report.warnings.size() < kKeptWarnings) report.warnings.push_back(std::move(text));
    }
    if (corrupt && self.options_.stopsAtCorruptData) self.stop(*report.corruptData);
}

// libjpeg ends the process on an error: the decode stops instead.
void JpegDecompressor::stopAtError(j_common_ptr info) {
    auto& self = of(info);
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    noteError(self.report_, *info->err, text);
    self.stop(text);
}

// Called as the decoder reads a file of several scans into memory, before it gives a row.
void JpegDecompressor::watchScans(j_common_ptr info) {
    if (!info->is_decompressor) return;
    const auto& decompress = *reinterpret_cast<j_decompress_ptr>(info);
    const long long pixels =
        std::max(1LL, static_cast<long long>(decompress.image_width) * decompress.image_height);
    const long long allowed = std::max(1LL, kMaximumScanPixels / pixels);
    if (decompress.input_scan_number <= allowed) return;
    auto& self = of(info);
    // Reading on could take hours; what the rest holds is not known.
    self.report_.complete = false;
    self.report_.unsupported = "JPEG of more than " + std::to_string(allowed) + " scans at " +
                               std::to_string(pixels) + " pixels, " + std::string(kJpegScanBoundWords);
    self.stop(*self.report_.unsupported);
}

// The tables come first, if any. The source at the end of the file (or of its range) gives an end
// marker, with the warning that the data ended early, as libjpeg's own source does. A disc that fails
// to give the file's bytes says nothing about them. The decoder is given the buffer a slice at a time,
// so that it always checks each code it reads.
boolean JpegDecompressor::fillSource(j_decompress_ptr info) {
    auto& self = of(reinterpret_cast<j_common_ptr>(info));
    if (!self.tablesGiven_) {
        self.tablesGiven_ = true;
        if (!self.tables_.empty()) {
            self.source_.next_input_byte = self.tables_.data();
            self.source_.bytes_in_buffer = self.tables_.size();
            return TRUE;
        }
    }
    if (self.handedOut_ == self.bufferLength_ && !self.atFileEnd_) {
        const std::uint64_t at = self.bufferAt_ + self.bufferLength_;
        const auto wanted =
            std::size_t(std::min<std::uint64_t>(self.buffer_.size(), at < self.end_ ? self.end_ - at : 0));
        const ssize_t count = wanted == 0 ? 0 : ::pread(self.fd_, self.buffer_.data(), wanted, off_t(at));
        if (count < 0) ERREXIT(info, JERR_FILE_READ);
        self.bufferAt_ = at;
        self.bufferLength_ = std::size_t(count);
        self.handedOut_ = 0;
        self.atFileEnd_ = count == 0;
    }
    if (self.atFileEnd_) {
        static constexpr JOCTET kEndMarker[] = {0xFF, JPEG_EOI};
        WARNMS(info, JWRN_JPEG_EOF);
        self.source_.next_input_byte = kEndMarker;
        self.source_.bytes_in_buffer = sizeof kEndMarker;
        return TRUE;
    }
    const std::size_t slice = std::min(kSlowPathSlice, self.bufferLength_ - self.handedOut_);
    self.source_.next_input_byte = self.buffer_.data() + self.handedOut_;
    self.source_.bytes_in_buffer = slice;
    self.handedOut_ += slice;
    return TRUE;
}

void JpegDecompressor::skipSource(j_decompress_ptr info, long count) {
    auto& source = *info->src;
    while (count > long(source.bytes_in_buffer)) {
        count -= long(source.bytes_in_buffer);
        fillSource(info);
    }
    if (count > 0) {
        source.next_input_byte += count;
        source.bytes_in_buffer -= std::size_t(count);
    }
}

// An APP1, APP2 or APP13 segment: kept when libvips' loader would attach it. Each is read into one
// buffer, which then takes the place of the one it replaces: a file's metadata is never held more than
// once, however many segments it has.
boolean JpegDecompressor::keepMarker(j_decompress_ptr info) {
    auto& self = of(reinterpret_cast<j_common_ptr>(info));
    auto& source = *info->src;
    std::size_t length = 0;
    for (int i = 0; i < 2; ++i) {
        if (source.bytes_in_buffer == 0) fillSource(info);
        length = length << 8 | *source.next_input_byte++;
        --source.bytes_in_buffer;
    }
    length = length < 2 ? 0 : length - 2;
    self.segment_.resize(length);
    for (std::size_t read = 0; read < length;) {
        if (source.bytes_in_buffer == 0) fillSource(info);
        const std::size_t step = std::min(length - read, source.bytes_in_buffer);
        std::memcpy(self.segment_.data() + read, source.next_input_byte, step);
        source.next_input_byte += step;
        source.bytes_in_buffer -= step;
        read += step;
    }
    using Kind = JpegMetadataSegment::Kind;
    const auto kept = self.metadataChooser_.take(
        std::uint8_t(info->unread_marker),
        std::span(self.segment_).first(std::min(length, kJpegMetadataHead)), length);
    auto& metadata = self.metadata_;
    std::vector<std::uint8_t>* into = kept.kind == Kind::Exif   ? &metadata.exif
                                      : kept.kind == Kind::Xmp  ? &metadata.xmp
                                      : kept.kind == Kind::Iptc ? &metadata.iptc
                                      : kept.kind == Kind::IccChunk
                                          ? &metadata.iccChunks[std::size_t(kept.iccChunk - 1)]
                                          : nullptr;
    if (into) {
        self.segment_.erase(self.segment_.begin(), self.segment_.begin() + std::ptrdiff_t(kept.attachedAt));
        std::swap(*into, self.segment_);
    }
    self.segment_.clear();
    return TRUE;
}

}  // namespace image::detail
