#pragma once
// A JPEG file as libvips reads it without the bytes its decoder skips: stray bytes between marker
// segments, found from the file's structure as it streams, and the padding a JpegReport lists at the
// ends of scans and restart intervals. libvips gives up on a JPEG at its decoder's 100th warning,
// however harmless; such a file reads whole this way, to the same pixels. The file is streamed
// through a small buffer, so memory never grows with its size. A source serves one reader at a time,
// on any thread.

#include <vips/vips8>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/LoaderAdmission.h"

namespace image::detail {

// Absent when the file cannot be opened.
std::optional<vips::VSource> jpegWithoutSkippedBytes(const std::filesystem::path& file,
                                                     std::vector<ByteRange> scanPadding);

// The JPEG file that `admission` admitted, admitted again to be read that way. Absent for an admission
// of bytes or when the file cannot be opened.
std::optional<Admission> admittedWithoutSkippedBytes(const Admission& admission,
                                                     std::vector<ByteRange> scanPadding);

// For a JPEG file that libvips gave up on: the admission that reads it without the skipped bytes, when
// its decoder, asked here (`report`), read it with nothing but harmless warnings, too many for
// libvips. Absent otherwise.
std::optional<Admission> fallbackAdmission(const Admission& admission, const JpegReport* report);
std::optional<Admission> fallbackAdmission(const Admission& admission,
                                           const std::optional<JpegReport>& report);

struct WarningLog;

// The JPEG decoder's account of the admitted JPEG file: the one `log` (when given) keeps of that file,
// else read now, a pass over all its data, and kept there for the passes after. Null when the file
// cannot be read as a JPEG.
std::shared_ptr<const JpegReport> jpegReportOf(const Admission& admission, WarningLog* log);

// The admission that reads the admitted JPEG file without its skipped bytes, when `log` (when given)
// already keeps its decoder's account of that file and that says so: libvips alone would give up on it.
std::optional<Admission> knownFallbackAdmission(const Admission& admission, const WarningLog* log);

}  // namespace image::detail
