#pragma once
// libjpeg reading one JPEG file, bounded like every decode: an image above the pixel bound is never
// decoded, the decoder's memory is capped, a file whose scans would take too long to step through is
// given up as not supported, and what the decoder says (its warnings, the error that stopped it) is
// collected into a JpegReport, never printed, its errors never ending the process. Every bad code in
// the data is reported, however the file is laid out. Of the file's metadata only what is asked for
// is kept, each block once. A stream that lies in a byte range of a file (a TIFF's JPEG strip, after
// its shared tables) is read as a file that ends where the range does. Used by one thread at a time.

#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <jpeglib.h>

#include "Platform/Image/JpegMetadataSegments.h"
#include "Platform/Image/JpegSkippedBytes.h"
#include "Platform/Image/JpegWarnings.h"

namespace image::detail {

class JpegDecompressor {
  public:
    struct Options {
        // Stop at the first word of corrupt data, after which the report cannot change. A pass over the
        // header alone reads it all: it is short, and its reader weighs a variant not read here, which
        // may come later, above corrupt data.
        bool stopsAtCorruptData = false;
        // Keep the EXIF, XMP and IPTC blocks and the ICC profile, as libvips' own loader does.
        bool keepsMetadata = false;
        // Convert the pixels to RGB or grey; a decode whose pixels are not looked at leaves them as the
        // data holds them.
        bool convertsColour = true;
    };

    // Absent when the file is not a regular file that starts as a JPEG.
    static std::unique_ptr<JpegDecompressor> open(const std::filesystem::path& file, Options options);
    // The stream of `count` bytes at `offset` of the open file `fd`, which must stay open while it is
    // read, after `tables`, a stream of tables alone (empty when the stream carries its own). Absent
    // when the range does not start as a JPEG.
    static std::unique_ptr<JpegDecompressor> open(int fd, std::span<const std::uint8_t> tables,
                                                  std::uint64_t offset, std::uint64_t count, Options options);
    ~JpegDecompressor();
    JpegDecompressor(const JpegDecompressor&) = delete;
    JpegDecompressor& operator=(const JpegDecompressor&) = delete;

    // The steps of a decode, in order. Each is false once the decoder has stopped, which the report
    // says why (for a step refused here, stopReason does), and no step does anything after.
    bool readHeader();
    // Decodes at 1/`shrink` (1, 2, 4 or 8) of the image's size with `method`; sets the output size.
    bool scale(int shrink, J_DCT_METHOD method = JDCT_ISLOW);
    // Decodes at `eighths`/8 (1 to 8) of the image's size with `method`; sets the output size.
    bool scaleToEighths(int eighths, J_DCT_METHOD method = JDCT_ISLOW);
    // Refuses an image above the pixel bound before any pixel.
    bool start();
    bool readRow(JSAMPLE* row);
    // Reads on to the end of the file's image data.
    bool finish();

    const jpeg_decompress_struct& info() const { return info_; }
    const JpegReport& report() const { return report_; }
    // Why the decode stopped, in the decoder's words (or, for a limit of this reader's, in its own):
    // empty while it has not.
    const std::string& stopReason() const { return stopReason_; }

    // The metadata kept, when asked for, as libvips' own loader keeps it: empty where there is none.
    struct Metadata {
        std::vector<std::uint8_t> exif;  // from its "Exif" signature on
        std::vector<std::uint8_t> xmp;   // after its namespace
        std::vector<std::uint8_t> iptc;  // from its "Photoshop" signature on
        // The ICC profile's chunks by their sequence number, without their signature.
        std::array<std::vector<std::uint8_t>, kJpegIccChunks> iccChunks;
    };
    Metadata& metadata() { return metadata_; }

  private:
    // Reads the bytes of `fd` from `begin` to `end` (or the file's end), after `tables`; `file`, when
    // given, is what `fd` belongs to.
    JpegDecompressor(FileHandle file, int fd, std::uint64_t begin, std::uint64_t end,
                     std::vector<std::uint8_t> tables, Options options);

    static void collectMessage(j_common_ptr info, int level);
    [[noreturn]] static void stopAtError(j_common_ptr info);
    static void watchScans(j_common_ptr info);
    static boolean keepMarker(j_decompress_ptr info);
    static boolean fillSource(j_decompress_ptr info);
    static void skipSource(j_decompress_ptr info, long count);
    static JpegDecompressor& of(j_common_ptr info);

    [[noreturn]] void stop(std::string_view reason);
    // Where in the file the decoder has settled.
    std::uint64_t position() const;
    // Whether a warning, already counted, says image data is corrupt or missing.
    bool warnsOfCorruptData(const std::string& text);
    // Whether the scans read so far are all the file's image has: a file that ends after them without
    // its end marker had every pixel from its data.
    bool everyScanWhole() const;
    // Reads the file's bytes where asked, leaving the decoder's place in it as it is.
    FileReader fileReader() const;

    FileHandle file_;  // the file opened by its path, held open while read; none for a range
    int fd_ = -1;
    std::uint64_t end_ = 0;             // where the stream ends in the file, at the latest
    std::vector<std::uint8_t> tables_;  // given to the decoder before the file's bytes
    bool tablesGiven_ = false;
    Options options_;
    jpeg_decompress_struct info_{};
    jpeg_error_mgr errors_{};
    jpeg_source_mgr source_{};
    jpeg_progress_mgr progress_{};
    std::vector<JOCTET> buffer_ = std::vector<JOCTET>(64 * 1024);
    std::uint64_t bufferAt_ = 0;    // where in the file the buffer's bytes start
    std::size_t bufferLength_ = 0;  // the bytes read into it
    std::size_t handedOut_ = 0;     // of which the decoder has been given these
    bool atFileEnd_ = false;        // the decoder is given an end marker the file does not have
    std::uint64_t settledAt_ = 0;   // the scan's start, or the marker where bytes were last skipped
    bool fileEndedEarly_ = false;   // the file ended where the decoder looked for a marker
    std::jmp_buf stop_{};
    bool created_ = false;
    bool stopped_ = false;
    JpegReport report_;
    std::string stopReason_;
    Metadata metadata_;
    JpegMetadataChooser metadataChooser_;
    std::vector<std::uint8_t> segment_;  // the marker segment being read, when its kind is kept
};

}  // namespace image::detail
