#pragma once
// The libvips error lines one operation writes: libvips keeps a single error text for the whole
// process, which decoders on other threads add to and empty at any moment, so a failed read is judged
// only by the lines written on its own thread and by the workers of its pipelines.

#include <memory>
#include <string>

namespace image::detail {

struct ErrorSink;
struct CaptureLink;

// Error lines gathered for one piece of work, from every thread that captures into them. Thread-safe.
class ErrorLines {
  public:
    ErrorLines();
    // The lines, oldest first, each ending in a line break; at most libvips' own 10 KB.
    std::string text() const;

  private:
    friend class OwnErrors;
    std::shared_ptr<ErrorSink> sink_;
};

// While it lives, every libvips error line written on this thread, and by the workers of the pipelines
// it runs meanwhile (a decoder's own pipeline included), goes to its lines, except those libvips holds
// back while it probes a file. A thread libvips keeps for itself (a disc writer) reaches none. Captures nest:
// each gets the lines written while it lives. Make and destroy on one thread.
class OwnErrors {
  public:
    OwnErrors();
    // Captures into `lines`, which other threads may capture into too.
    explicit OwnErrors(const ErrorLines& lines);
    ~OwnErrors();
    OwnErrors(const OwnErrors&) = delete;
    OwnErrors& operator=(const OwnErrors&) = delete;

    std::string text() const { return lines_.text(); }
    const ErrorLines& lines() const { return lines_; }

  private:
    ErrorLines lines_;
    std::shared_ptr<CaptureLink> previous_;
};

// The entry points of libvips taken over here, as bits.
enum class EntryPoint : unsigned { Error = 1, Freeze = 2, Thaw = 4, Threadpool = 8 };
inline constexpr unsigned kEveryEntryPoint = 15;

// Which entry points libvips' own calls reached, found once when libvips starts.
unsigned entryPointsReached();

// Whether libvips' error calls reach the captures: every entry point was reached. When they do not, a
// capture's text is libvips' shared text as it stands when it is read, as libvips hands it out.
bool errorsAreCaptured();

}  // namespace image::detail
