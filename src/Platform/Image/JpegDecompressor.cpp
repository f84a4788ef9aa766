#include "Platform/Image/JpegDecompressor.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <utility>

#include <jerror.h>

#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/LoaderAdmission.h"

namespace image::detail {

namespace {

// The decoder's memory for one file: the coefficients of an image at the pixel bound with three
// full-resolution channels (a progressive file holds them all at once), and room for its tables.
constexpr long kMemoryCap = long(kMaximumPixels) * 3 * long(sizeof(JCOEF)) + 64L * 1024 * 1024;

// Warning texts kept per file; the rest are only counted.
constexpr std::size_t kKeptWarnings = 8;

// Scans read before the decoder gives up. Encoders write about ten; a file may hold thousands, each of
// which makes the decoder step through every block of the image again.
constexpr int kMaximumScans = 300;

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

bool startsWith(std::span<const std::uint8_t> bytes, std::string_view signature) {
    return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
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

}  // namespace

// Nothing here holds an object with a destructor where libjpeg may jump back from an error: the
// callbacks keep their state in the decompressor, and every step is one libjpeg call.

std::unique_ptr<JpegDecompressor> JpegDecompressor::open(const std::filesystem::path& path, Options options) {
    auto file = openRegularFile(path);
    std::array<std::uint8_t, 2> head{};
    if (!file || std::fread(head.data(), 1, head.size(), file.get()) != head.size() || head[0] != 0xFF ||
        head[1] != 0xD8)
        return nullptr;
    std::rewind(file.get());
    std::unique_ptr<JpegDecompressor> decompressor(new JpegDecompressor(std::move(file), options));
    decompressor->report_.file = path;
    return decompressor->created_ ? std::move(decompressor) : nullptr;
}

JpegDecompressor::JpegDecompressor(FileHandle file, Options options)
    : file_(std::move(file)), options_(options) {
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
        jpeg_set_marker_processor(&info_, JPEG_APP0 + 1, keepMarker);
        jpeg_set_marker_processor(&info_, JPEG_APP0 + 2, keepMarker);
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
    jpeg_read_header(&info_, TRUE);
    return true;
}

bool JpegDecompressor::scale(int shrink, J_DCT_METHOD method) {
    if (stopped_) return false;
    if (setjmp(stop_) != 0) return false;
    info_.scale_num = 1;
    info_.scale_denom = unsigned(shrink);
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
    jpeg_finish_decompress(&info_);
    return true;
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
        corrupt = !report.corruptData && reportsCorruptData(text);
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
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= kMaximumScans) return;
    auto& self = of(info);
    // Reading on could take hours; what the rest holds is not known.
    self.report_.complete = false;
    self.stop("the image has more scans than any encoder writes");
}

// The source at the end of the file gives an end marker, with the warning that the data ended early,
// as libjpeg's own source does. A disc that fails to give the file's bytes says nothing about them.
boolean JpegDecompressor::fillSource(j_decompress_ptr info) {
    auto& self = of(reinterpret_cast<j_common_ptr>(info));
    std::size_t count = std::fread(self.buffer_.data(), 1, self.buffer_.size(), self.file_.get());
    if (count == 0 && std::ferror(self.file_.get())) ERREXIT(info, JERR_FILE_READ);
    if (count == 0) {
        WARNMS(info, JWRN_JPEG_EOF);
        self.buffer_[0] = 0xFF;
        self.buffer_[1] = JPEG_EOI;
        count = 2;
    }
    self.source_.next_input_byte = self.buffer_.data();
    self.source_.bytes_in_buffer = count;
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

// An APP1 or APP2 segment: kept when it is the EXIF block or a chunk of the ICC profile. Each is read
// into one buffer, which then takes the place of the one it replaces: a file's metadata is never held
// more than once, however many segments it has.
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
    constexpr std::string_view kIcc("ICC_PROFILE\0", 12);
    // libvips' loader takes the first APP1 that starts "Exif" for the EXIF block and an APP2 that starts
    // with the ICC signature, numbered from 1, for a chunk of the profile.
    if (info->unread_marker == JPEG_APP0 + 1 && length > 4 && startsWith(self.segment_, "Exif") &&
        self.metadata_.exif.empty()) {
        std::swap(self.metadata_.exif, self.segment_);
    } else if (info->unread_marker == JPEG_APP0 + 2 && length > 14 && startsWith(self.segment_, kIcc) &&
               self.segment_[12] >= 1) {
        auto& chunk = self.metadata_.iccChunks[self.segment_[12] - 1];
        self.segment_.erase(self.segment_.begin(), self.segment_.begin() + 14);
        std::swap(chunk, self.segment_);
    }
    self.segment_.clear();
    return TRUE;
}

}  // namespace image::detail
