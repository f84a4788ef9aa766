#include "Platform/Image/TiffJpegStrip.h"

#include <jpeglib.h>
// jpeglib.h first: jerror.h needs its types.
#include <jerror.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <memory>
#include <vector>

#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/JpegSkippedBytes.h"
#include "Platform/Image/LoaderAdmission.h"

namespace image::detail {

namespace {

// The decoder's memory for one strip, which is a part of an image within the pixel bound.
constexpr long kMemoryCap = long(kMaximumPixels) * 3 * long(sizeof(JCOEF)) + 64L * 1024 * 1024;

// libjpeg-turbo decodes a block's codes on a fast path, which takes a bad code for a good one without a
// word, when at least 512 bytes per block of a unit are in its buffer: it is given fewer.
constexpr std::size_t kSlice = 511;

// One strip's decode. Nothing here has a destructor where libjpeg may jump back from an error or from
// a word of damage: the callbacks keep their state in this struct, and each step is one libjpeg call.
struct StripDecode {
    jpeg_error_mgr errors{};  // first, so libjpeg's pointer to it is a pointer to the decode
    jpeg_source_mgr source{};
    jpeg_decompress_struct info{};
    std::jmp_buf stop{};
    int fd = -1;
    std::span<const std::uint8_t> tables;
    bool tablesGiven = false;
    std::uint64_t end = 0;  // the strip's end in the file
    std::array<JOCTET, 64 * 1024> buffer{};
    std::uint64_t bufferAt = 0;  // where in the file the buffer's bytes start
    std::size_t bufferLength = 0, handedOut = 0;
    bool atStripEnd = false;      // the decoder is given an end marker the strip does not have
    bool finishing = false;       // every row was decoded: the decode reads on to the end marker
    std::uint64_t settledAt = 0;  // the scan's start, or the marker where bytes were last skipped
    std::optional<std::string> damage;

    // Where in the file the decoder has settled; only asked inside the strip's scan.
    std::uint64_t position() const {
        if (atStripEnd) return end;
        return bufferAt + std::uint64_t(source.next_input_byte - buffer.data());
    }
};

StripDecode& of(j_common_ptr info) {
    return *reinterpret_cast<StripDecode*>(info->err);
}

// The shared tables first, then the strip's bytes from the file a slice at a time, then an end marker
// with the warning that the data ended early, as libjpeg's own source does.
boolean fillSource(j_decompress_ptr info) {
    auto& d = of(reinterpret_cast<j_common_ptr>(info));
    if (!d.tablesGiven && !d.tables.empty()) {
        d.tablesGiven = true;
        d.source.next_input_byte = d.tables.data();
        d.source.bytes_in_buffer = d.tables.size();
        return TRUE;
    }
    d.tablesGiven = true;
    if (d.handedOut == d.bufferLength && !d.atStripEnd) {
        const std::uint64_t at = d.bufferAt + d.bufferLength;
        const auto want = at >= d.end ? 0 : std::size_t(std::min<std::uint64_t>(d.buffer.size(), d.end - at));
        const ssize_t got = want == 0 ? 0 : ::pread(d.fd, d.buffer.data(), want, off_t(at));
        if (got < 0) ERREXIT(info, JERR_FILE_READ);
        d.bufferAt = at;
        d.bufferLength = std::size_t(got);
        d.handedOut = 0;
        d.atStripEnd = got == 0;
    }
    if (d.atStripEnd) {
        static constexpr JOCTET kEndMarker[] = {0xFF, JPEG_EOI};
        WARNMS(info, JWRN_JPEG_EOF);
        d.source.next_input_byte = kEndMarker;
        d.source.bytes_in_buffer = sizeof kEndMarker;
        return TRUE;
    }
    const std::size_t slice = std::min(kSlice, d.bufferLength - d.handedOut);
    d.source.next_input_byte = d.buffer.data() + d.handedOut;
    d.source.bytes_in_buffer = slice;
    d.handedOut += slice;
    return TRUE;
}

// Passes over a segment libjpeg does not read: the bytes it holds, then those of the buffer not yet
// handed out, then the file's, which are never read.
void skipSource(j_decompress_ptr info, long count) {
    auto& d = of(reinterpret_cast<j_common_ptr>(info));
    if (count <= 0) return;
    auto left = std::size_t(count);
    const std::size_t held = std::min(left, d.source.bytes_in_buffer);
    d.source.next_input_byte += held;
    d.source.bytes_in_buffer -= held;
    left -= held;
    const std::size_t buffered = std::min(left, d.bufferLength - d.handedOut);
    d.handedOut += buffered;
    left -= buffered;
    if (left == 0) return;
    d.bufferAt += d.bufferLength + left;
    d.bufferLength = 0;
    d.handedOut = 0;
}

// Whether a warning says the strip's pixels did not all come from its data.
bool warnsOfDamage(StripDecode& d, const std::string& text) {
    switch (d.errors.msg_code) {
        case JWRN_EXTRANEOUS_DATA: {
            // Bytes between the tables' or the header's segments hold no pixels.
            if (d.info.input_scan_number == 0) return false;
            const std::uint64_t from = d.settledAt;
            d.settledAt = d.position();
            const int fd = d.fd;
            const FileReader read = [fd](std::uint64_t offset, std::uint8_t* into, std::size_t count) {
                return long(::pread(fd, into, count, off_t(offset)));
            };
            return !skippedBytesArePadding(read, from, d.settledAt, std::uint64_t(d.errors.msg_parm.i[0]));
        }
        case JWRN_JPEG_EOF:
            // A strip whose every row was decoded is whole without its end marker.
            return !d.finishing;
        default:
            return reportsCorruptData(text);
    }
}

// The first word of damage ends the decode: the verdict cannot change after it.
void collectMessage(j_common_ptr info, int level) {
    if (level >= 0) return;  // traces
    auto& d = of(info);
    std::array<char, JMSG_LENGTH_MAX> text{};
    (*info->err->format_message)(info, text.data());
    if (!warnsOfDamage(d, text.data())) return;
    d.damage = text.data();
    std::longjmp(d.stop, 1);
}

// An error here stops libtiff's decode of the strip too, in its own words: this reading says nothing.
[[noreturn]] void stopAtError(j_common_ptr info) {
    std::longjmp(of(info).stop, 1);
}

// Reads the tables and the strip's header, and decodes its rows at one eighth of their size.
bool decodeRows(StripDecode& d) {
    if (setjmp(d.stop) != 0) return false;
    if (!d.tables.empty()) jpeg_read_header(&d.info, FALSE);
    jpeg_read_header(&d.info, TRUE);
    d.settledAt = d.position();
    if (static_cast<long long>(d.info.image_width) * d.info.image_height > kMaximumPixels) return false;
    // No colour conversion: the pixels are not looked at.
    d.info.out_color_space = d.info.jpeg_color_space;
    d.info.scale_num = 1;
    d.info.scale_denom = 8;
    d.info.dct_method = JDCT_IFAST;
    jpeg_start_decompress(&d.info);
    return true;
}

bool readRow(StripDecode& d, JSAMPLE* row) {
    if (setjmp(d.stop) != 0) return false;
    JSAMPROW rows[1] = {row};
    jpeg_read_scanlines(&d.info, rows, 1);
    return true;
}

void finish(StripDecode& d) {
    if (setjmp(d.stop) != 0) return;
    d.finishing = true;
    jpeg_finish_decompress(&d.info);
}

}  // namespace

std::optional<std::string> jpegStripDamage(int fd, std::span<const std::uint8_t> tables, std::uint64_t offset,
                                           std::uint64_t count) {
    auto decode = std::make_unique<StripDecode>();
    StripDecode& d = *decode;
    d.fd = fd;
    d.tables = tables;
    d.bufferAt = offset;
    d.end = offset + count;
    d.info.err = jpeg_std_error(&d.errors);
    d.errors.emit_message = collectMessage;
    d.errors.error_exit = stopAtError;
    if (setjmp(d.stop) != 0) return std::nullopt;
    jpeg_create_decompress(&d.info);
    d.info.mem->max_memory_to_use = kMemoryCap;
    d.source.init_source = [](j_decompress_ptr) {};
    d.source.fill_input_buffer = fillSource;
    d.source.skip_input_data = skipSource;
    d.source.resync_to_restart = jpeg_resync_to_restart;
    d.source.term_source = [](j_decompress_ptr) {};
    d.info.src = &d.source;
    if (decodeRows(d)) {
        std::vector<JSAMPLE> row(std::size_t(d.info.output_width) * std::size_t(d.info.output_components));
        bool read = true;
        while (read && d.info.output_scanline < d.info.output_height) read = readRow(d, row.data());
        if (read) finish(d);
    }
    jpeg_destroy_decompress(&d.info);
    return d.damage;
}

}  // namespace image::detail
