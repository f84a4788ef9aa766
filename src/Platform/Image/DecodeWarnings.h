#pragma once
// DecodeWarnings: what libvips and its codecs report about a file while its image is read (a truncated
// file, a failed checksum, a decoder giving up part way, notes on metadata), collected for one piece
// of work instead of being printed on standard error. A collector is active on the thread that made
// it until it is destroyed; images loaded meanwhile report the decoding of their pixels to it from
// whichever thread decodes them. Reports made with no collector active are dropped. Create and
// destroy on one thread; the messages may be read from it at any time.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace image {

namespace detail {
struct WarningLog;
struct JpegReport;
}  // namespace detail

class DecodeWarnings {
  public:
    DecodeWarnings();
    ~DecodeWarnings();
    DecodeWarnings(const DecodeWarnings&) = delete;
    DecodeWarnings& operator=(const DecodeWarnings&) = delete;

    // The lines reported so far, in order, each once; only the first few (and beyond them those that
    // tell what kind of failure there was) are kept.
    std::vector<std::string> messages() const;
    // Why the image is damaged, judged by its pixels: a decoder's words that its data is corrupt or
    // missing (a JPEG decoder that stopped on its data included). Absent while every report is about
    // metadata (an unknown or private TIFF tag, an odd EXIF, XMP or ICC block, an optional PNG chunk), a
    // quirk after which every pixel was still read, however many, or a failure in other words (memory,
    // a temporary file, a disc error: decodeFailure names it). `decodedFile` is the file the work
    // decoded: a JPEG decoder's warnings are read from it again, since libvips words them only in an
    // error text that every thread shares.
    std::optional<std::string> damage(const std::filesystem::path& decodedFile) const;
    // The valid variant that a decoder said it cannot read (a HEIF whose codec is missing): such a file
    // is not damaged.
    std::optional<std::string> unsupportedVariant() const;
    // What failed, in a user's words, when a decode failed for a reason that is not about the file
    // (memory, temporary storage).
    std::optional<std::string> failureNotAboutTheFile() const;
    // Why the pixels could not all be decoded, when they could not, in words not known to be about
    // damage, memory or storage: reported by the decode wherever its pixels were first asked for
    // (writing the output, often), and even where libvips went on (a tile it left black).
    std::optional<std::string> decodeFailure() const;

  private:
    std::shared_ptr<detail::WarningLog> log_;
    std::shared_ptr<detail::WarningLog> previous_;
};

}  // namespace image
