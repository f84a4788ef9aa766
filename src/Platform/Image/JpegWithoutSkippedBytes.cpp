#include "Platform/Image/JpegWithoutSkippedBytes.h"

#include "Platform/Image/WarningLog.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace image::detail {

namespace {

// Streams a JPEG file, leaving out the bytes its decoder would skip. Outside a scan's data the file's
// structure tells them (anything where a marker should start); inside, the listed padding does. A
// listed range must end where a marker starts, or the file is not what the list was made from and
// reading fails.
class Filter {
  public:
    Filter(FileHandle file, std::vector<ByteRange> padding)
        : file_(std::move(file)), padding_(std::move(padding)) {}

    // Up to `room` bytes of the cleaned stream; 0 at its end, -1 when the file cannot be read as listed.
    std::int64_t read(std::uint8_t* out, std::int64_t room) {
        std::int64_t count = 0;
        while (count < room && !failed_) {
            if (heldFrom_ < held_.size()) {
                out[count++] = held_[heldFrom_++];
                continue;
            }
            held_.clear();
            heldFrom_ = 0;
            if (inFrom_ == inCount_ && !refill()) break;
            if (const auto run = takeRun(out + count, std::size_t(room - count))) {
                count += std::int64_t(*run);
                continue;
            }
            take(input_[inFrom_++]);
            ++fileOffset_;
        }
        produced_ += std::uint64_t(count);
        return failed_ ? -1 : count;
    }

    // Moves to `offset` of the cleaned stream (from its start, as libvips asks to); -1 when it cannot.
    std::int64_t seek(std::int64_t offset, int whence) {
        std::int64_t target = offset;
        if (whence == SEEK_CUR) target += std::int64_t(produced_);
        if (whence == SEEK_END) {
            const auto length = cleanedLength();
            if (length < 0) return -1;
            target += length;
        }
        if (target < 0) return -1;
        if (std::uint64_t(target) < produced_) restart();
        std::array<std::uint8_t, 16 * 1024> scratch{};
        while (produced_ < std::uint64_t(target)) {
            const auto step = std::min<std::int64_t>(scratch.size(), target - std::int64_t(produced_));
            if (read(scratch.data(), step) <= 0) return -1;
        }
        return target;
    }

  private:
    enum class Mode { Start, Marker, Fill, Length1, Length2, Payload, Entropy, EntropyFill, Rest };

    bool refill() {
        inCount_ = std::fread(input_.data(), 1, input_.size(), file_.get());
        inFrom_ = 0;
        return inCount_ > 0;
    }

    void restart() {
        std::rewind(file_.get());
        *this = Filter(std::move(file_), std::move(padding_), length_);
    }

    Filter(FileHandle file, std::vector<ByteRange> padding, std::int64_t length)
        : Filter(std::move(file), std::move(padding)) {
        length_ = length;
    }

    // Reads on to the end the first time, leaving the stream there: the seek that asked goes on from
    // the end rather than reading the file twice more to come back first.
    std::int64_t cleanedLength() {
        if (length_ >= 0) return length_;
        std::array<std::uint8_t, 16 * 1024> scratch{};
        std::int64_t step;
        while ((step = read(scratch.data(), scratch.size())) > 0) {
        }
        if (step < 0) return -1;
        length_ = std::int64_t(produced_);
        return length_;
    }

    void emit(std::uint8_t byte) { held_.push_back(byte); }

    // After a marker's code: whether a length and a payload follow, and whether a scan's data does.
    void afterMarker(std::uint8_t code) {
        const bool standalone = code == 0xD8 || code == 0x01 || (code >= 0xD0 && code <= 0xD7);
        if (code == 0xD9) {
            mode_ = Mode::Rest;
        } else {
            mode_ = standalone ? Mode::Marker : Mode::Length1;
        }
        scan_ = code == 0xDA;
    }

    // The listed range the current byte falls in, if any; ranges behind are passed by.
    bool inListedPadding() {
        while (next_ < padding_.size() && padding_[next_].offset + padding_[next_].length <= fileOffset_)
            ++next_;
        return next_ < padding_.size() && padding_[next_].offset <= fileOffset_;
    }

    // Takes a run of bytes at once where the mode passes or drops them whole (a segment's payload, a
    // scan's data up to its next 0xFF, listed padding): the bytes written to `out`, or absent where
    // the next byte must be taken alone.
    std::optional<std::size_t> takeRun(std::uint8_t* out, std::size_t room) {
        std::size_t available = inCount_ - inFrom_;
        const std::uint8_t* from = input_.data() + inFrom_;
        std::size_t passed = 0, dropped = 0;
        if (mode_ == Mode::Payload) {
            passed = std::min({available, room, length_left_});
            length_left_ -= passed;
            if (length_left_ == 0) mode_ = scan_ ? Mode::Entropy : Mode::Marker;
        } else if (mode_ == Mode::Rest) {
            passed = std::min(available, room);
        } else if (mode_ == Mode::Entropy && !markerDue_) {
            if (inListedPadding()) {
                const auto& range = padding_[next_];
                dropped = std::min(available, range.offset + range.length - fileOffset_);
                markerDue_ = fileOffset_ + dropped == range.offset + range.length;
            } else {
                if (next_ < padding_.size())
                    available = std::min(available, padding_[next_].offset - fileOffset_);
                const auto* mark = static_cast<const std::uint8_t*>(std::memchr(from, 0xFF, available));
                passed = std::min(room, mark ? std::size_t(mark - from) : available);
            }
        }
        if (passed == 0 && dropped == 0) return std::nullopt;
        std::memcpy(out, from, passed);
        inFrom_ += passed + dropped;
        fileOffset_ += passed + dropped;
        return passed;
    }

    void take(std::uint8_t byte) {
        switch (mode_) {
            case Mode::Start:
                emit(byte);
                if (fileOffset_ == 1) mode_ = Mode::Marker;
                return;
            case Mode::Marker:
                // Anything but a marker's first byte here is a stray byte.
                if (byte == 0xFF) mode_ = Mode::Fill;
                return;
            case Mode::Fill:
                if (byte == 0xFF) return;  // fill bytes before a marker
                if (byte == 0x00) {        // a stuffed byte where no scan is: stray too
                    mode_ = Mode::Marker;
                    return;
                }
                emit(0xFF);
                emit(byte);
                afterMarker(byte);
                return;
            case Mode::Length1:
                emit(byte);
                length_left_ = std::size_t(byte) << 8;
                mode_ = Mode::Length2;
                return;
            case Mode::Length2:
                emit(byte);
                length_left_ |= byte;
                length_left_ = length_left_ >= 2 ? length_left_ - 2 : 0;
                mode_ = length_left_ > 0 ? Mode::Payload : (scan_ ? Mode::Entropy : Mode::Marker);
                return;
            case Mode::Payload:
                emit(byte);
                if (--length_left_ == 0) mode_ = scan_ ? Mode::Entropy : Mode::Marker;
                return;
            case Mode::Entropy:
                if (inListedPadding()) {
                    const auto& range = padding_[next_];
                    markerDue_ = fileOffset_ + 1 == range.offset + range.length;
                    return;
                }
                if (std::exchange(markerDue_, false)) {
                    if (byte != 0xFF) {
                        failed_ = true;
                        return;
                    }
                    markerOpened_ = true;
                }
                emit(byte);
                if (byte == 0xFF) mode_ = Mode::EntropyFill;
                return;
            case Mode::EntropyFill:
                if (byte == 0xFF) {
                    emit(byte);
                    return;
                }
                // After listed padding, a stuffed zero means the bytes dropped were image data.
                if (std::exchange(markerOpened_, false) && byte == 0x00) {
                    failed_ = true;
                    return;
                }
                emit(byte);
                if (byte == 0x00 || (byte >= 0xD0 && byte <= 0xD7)) {
                    mode_ = Mode::Entropy;  // a stuffed data byte or a restart marker
                    return;
                }
                afterMarker(byte);  // the marker that ends the scan's data
                return;
            case Mode::Rest:
                emit(byte);
                return;
        }
    }

    FileHandle file_;
    std::vector<ByteRange> padding_;
    std::size_t next_ = 0;  // the first listed range not yet behind
    std::vector<std::uint8_t> input_ = std::vector<std::uint8_t>(64 * 1024);
    std::size_t inFrom_ = 0, inCount_ = 0;
    std::size_t fileOffset_ = 0;  // of the byte being taken
    std::vector<std::uint8_t> held_;
    std::size_t heldFrom_ = 0;
    std::uint64_t produced_ = 0;
    std::int64_t length_ = -1;  // of the whole cleaned stream, once known
    Mode mode_ = Mode::Start;
    bool scan_ = false;
    std::size_t length_left_ = 0;
    bool markerDue_ = false;
    bool markerOpened_ = false;  // the 0xFF after listed padding was taken; its marker code is next
    bool failed_ = false;
};

gint64 readFiltered(VipsSourceCustom*, void* buffer, gint64 length, gpointer filter) {
    return static_cast<Filter*>(filter)->read(static_cast<std::uint8_t*>(buffer), length);
}

gint64 seekFiltered(VipsSourceCustom*, gint64 offset, int whence, gpointer filter) {
    return static_cast<Filter*>(filter)->seek(offset, whence);
}

}  // namespace

std::optional<vips::VSource> jpegWithoutSkippedBytes(const std::filesystem::path& path,
                                                     std::vector<ByteRange> scanPadding) {
    auto file = openRegularFile(path);
    if (!file) return std::nullopt;
    VipsSourceCustom* custom = vips_source_custom_new();
    auto* filter = new Filter(std::move(file), std::move(scanPadding));
    g_object_set_data_full(G_OBJECT(custom), "vorta-filter", filter,
                           [](gpointer p) { delete static_cast<Filter*>(p); });
    g_signal_connect(custom, "read", G_CALLBACK(readFiltered), filter);
    g_signal_connect(custom, "seek", G_CALLBACK(seekFiltered), filter);
    return vips::VSource(VIPS_SOURCE(custom));
}

std::optional<Admission> admittedWithoutSkippedBytes(const Admission& admission,
                                                     std::vector<ByteRange> scanPadding) {
    if (admission.file.empty()) return std::nullopt;
    auto source = jpegWithoutSkippedBytes(admission.file, std::move(scanPadding));
    if (!source) return std::nullopt;
    return Admission{admission.format, std::move(*source), nullptr, admission.file};
}

std::optional<Admission> fallbackAdmission(const Admission& admission, const JpegReport* report) {
    if (admission.format != "jpeg" || !report || !report->readsWithoutSkippedBytes()) return std::nullopt;
    return admittedWithoutSkippedBytes(admission, report->scanPadding);
}

std::optional<Admission> fallbackAdmission(const Admission& admission,
                                           const std::optional<JpegReport>& report) {
    return fallbackAdmission(admission, report ? &*report : nullptr);
}

namespace {

std::shared_ptr<const JpegReport> keptReportOf(const Admission& admission, const WarningLog* log) {
    if (admission.format != "jpeg" || admission.file.empty() || !log) return nullptr;
    auto kept = log->jpegReport();
    return kept && kept->file == admission.file ? kept : nullptr;
}

}  // namespace

std::shared_ptr<const JpegReport> jpegReportOf(const Admission& admission, WarningLog* log) {
    if (auto kept = keptReportOf(admission, log)) return kept;
    if (admission.format != "jpeg" || admission.file.empty()) return nullptr;
    auto report = readJpegWarnings(admission.file);
    if (!report) return nullptr;
    auto shared = std::make_shared<const JpegReport>(std::move(*report));
    if (log) log->keepJpegReport(shared);
    return shared;
}

std::optional<Admission> knownFallbackAdmission(const Admission& admission, const WarningLog* log) {
    return fallbackAdmission(admission, keptReportOf(admission, log).get());
}

}  // namespace image::detail
