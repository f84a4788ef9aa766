#pragma once
// DecodeWarnings: what libvips and its codecs report about a file while its image is read (a truncated
// file, a failed checksum, a decoder giving up part way, notes on metadata), collected for one piece
// of work instead of being printed on standard error, and the verdict they give. A collector is
// active on the thread that made it until it is destroyed; images loaded meanwhile report the decoding
// of their pixels to it from whichever thread decodes them. Reports made with no collector active are
// dropped. Create and destroy on one thread; the verdict may be asked on it at any time.

#include <filesystem>
#include <memory>

#include "Platform/Image/ReadVerdict.h"

namespace image {

class DecodeWarnings {
  public:
    DecodeWarnings();
    ~DecodeWarnings();
    DecodeWarnings(const DecodeWarnings&) = delete;
    DecodeWarnings& operator=(const DecodeWarnings&) = delete;

    // What the work's decode of `decodedFile` (as a `format` file, see ImageInfo) came to, judged by
    // its pixels from every report so far and the format's own second opinion of the file: whole while
    // every report is about metadata (an unknown or private TIFF tag, an odd EXIF, XMP or ICC block, an
    // optional PNG chunk) or a quirk after which every pixel was still read, however many. A decode
    // that failed is judged wherever its pixels were first asked for (writing the output, often), and
    // even where libvips went on (a tile it left black).
    ReadVerdict verdict(const std::filesystem::path& decodedFile, const std::string& format) const;

  private:
    std::shared_ptr<detail::WarningLog> log_;
    std::shared_ptr<detail::WarningLog> previous_;
};

}  // namespace image
