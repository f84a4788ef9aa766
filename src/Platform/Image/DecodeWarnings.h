#pragma once
// DecodeWarnings: what libvips and its codecs report about a file while its image is read (a truncated
// file, a failed checksum, a decoder giving up part way), collected for one piece of work instead of
// being printed on standard error. A collector is active on the thread that made it until it is
// destroyed; images loaded meanwhile report the decoding of their pixels to it from whichever thread
// decodes them. Reports made with no collector active are dropped. Create and destroy on one thread;
// the messages may be read from it at any time.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace image {

namespace detail {
struct WarningLog;
}

class DecodeWarnings {
  public:
    DecodeWarnings();
    ~DecodeWarnings();
    DecodeWarnings(const DecodeWarnings&) = delete;
    DecodeWarnings& operator=(const DecodeWarnings&) = delete;

    // Every line reported so far, in order, each once.
    std::vector<std::string> messages() const;
    // The first report that says the image data is damaged; absent while there is none or every
    // report is a harmless quirk (bytes between segments, a note on an optional PNG chunk).
    std::optional<std::string> damage() const;

  private:
    std::shared_ptr<detail::WarningLog> log_;
    std::shared_ptr<detail::WarningLog> previous_;
};

}  // namespace image
