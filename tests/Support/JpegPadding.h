#pragma once
// JPEG files patched as some encoders and cameras leave them: valid files that other decoders read to
// the last pixel, each patch (bytes the decoder skips, a segment it does not know) making it warn.

#include <cstddef>
#include <string>

namespace testsupport {

// `jpeg` with `padding` before each of its first `limit` restart markers; `count` (when given) is
// set to the number of markers padded.
std::string withPaddingBeforeRestarts(const std::string& jpeg, const std::string& padding,
                                      std::size_t limit = std::string::npos, std::size_t* count = nullptr);

// `jpeg` with `segments` comment segments after its start marker, each followed by `stray` bytes.
std::string withStrayBytesInHeader(const std::string& jpeg, int segments, const std::string& stray);

// `jpeg` with `padding` before each of its restart markers, and before the last one that would start
// at or before `offset` as many more bytes as make it start at `offset` (where a reader's buffer ends).
std::string withPaddedRestartAt(const std::string& jpeg, const std::string& padding, std::size_t offset);

// `jpeg` with `segments` JFIF segments of a later revision (2.01) after its start marker.
std::string withLaterJfifSegments(const std::string& jpeg, int segments);

}  // namespace testsupport
