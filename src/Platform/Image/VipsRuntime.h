#pragma once
// Starts libvips once per process, on first use, from whichever thread gets here first. Every entry
// point of this layer calls it, so callers never initialise libvips themselves. Thread-safe.

#include <string>
#include <string_view>

namespace image::detail {

void ensureVipsStarted();

// Under a memory limit, makes the threads started from now on reserve 2 MB of stack instead of the
// system's 8 MB; done when libvips starts. Call before threads are started.
void keepThreadStacksSmallUnderMemoryLimit();

// Forgets libvips' error text once it has grown long, so that it never fills: nothing judges a read by
// it (every thread adds to it; see OwnErrors.h for a read's own lines). Call where an error has been
// dealt with. Thread-safe.
void forgetErrors();

// The newest line of a failed operation's error lines (with the line before, when it only goes on with a
// code). When there is none, a fixed text that says no reason was given.
std::string newestErrorLine(std::string_view text);

}  // namespace image::detail

namespace image {

// While it lives, every image pipeline libvips starts runs on `threads` worker threads instead of one
// per core, so a caller working on several images at once shares the cores between them rather than
// starting cores x images threads. Restores the previous count when it ends. Meant for one owner at a
// time (the batch loop); safe to create on any thread.
// Hands memory freed by finished images back to the system, including free pages in the middle of the
// heaps, so a long batch keeps the footprint of its first images. Takes a few microseconds to a
// millisecond; meant to be called once per finished image. Thread-safe.
void returnFreedMemory();

class PipelineThreadsScope {
  public:
    explicit PipelineThreadsScope(unsigned threads);
    ~PipelineThreadsScope();
    PipelineThreadsScope(const PipelineThreadsScope&) = delete;
    PipelineThreadsScope& operator=(const PipelineThreadsScope&) = delete;

  private:
    int previous_;
};

}  // namespace image
