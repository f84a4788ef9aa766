#pragma once
// JPEG files patched with bytes their decoders skip, as some encoders and cameras leave them: valid
// files that other decoders read to the last pixel, each byte skipped making the decoder warn.

#include <cstddef>
#include <string>

namespace testsupport {

// `jpeg` with `padding` before each of its first `limit` restart markers; `count` (when given) is
// set to the number of markers padded.
std::string withPaddingBeforeRestarts(const std::string& jpeg, const std::string& padding,
                                      std::size_t limit = std::string::npos, std::size_t* count = nullptr);

// `jpeg` with `segments` comment segments after its start marker, each followed by `stray` bytes.
std::string withStrayBytesInHeader(const std::string& jpeg, int segments, const std::string& stray);

}  // namespace testsupport
