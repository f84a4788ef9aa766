#include "Core/Job/ImageStep.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>

#include "Core/Crop/SmartCropStep.h"
#include "Core/Effects/FMFilter.h"
#include "Core/Effects/ImageEffectOption.h"
#include "Core/Job/JobDecisions.h"
#include "Core/Job/OutputPaths.h"
#include "Core/Job/TargetSize.h"
#include "Core/Rename/FileName.h"
#include "Core/Rename/SafeName.h"
#include "Core/Watermark/Watermark.h"
#include "Platform/Foundation/Bookmark.h"
#include "Platform/Foundation/FileAttributes.h"
#include "Platform/Foundation/UTType.h"
#include "Platform/Image/DecodeWarnings.h"
#include "Platform/Image/FileType.h"
#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageInfo.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/ReadMemory.h"
#include "Platform/Image/Thumbnail.h"

namespace core {

namespace {

using Kind = ImageStepOutcome::Kind;

const std::string kUnsupported = "the file's format is not supported here: ";
// For a failure that is not about the file (memory, temporary storage), which says what it was, or one
// in a decoder's words that say no more.
const std::string kNotRead = "the image could not be read: ";

// The long side of the copies the previews show; the screen never decodes a full photo.
constexpr double kPreviewSide = 640;

ImageStepOutcome skipped(const SourceURLInfo& record, Kind kind, std::string reason) {
    return ImageStepOutcome{kind, record, std::move(reason), {}, {}};
}

std::string lowercased(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// The source file: the bookmark's item while it resolves, else the record's path.
std::optional<std::filesystem::path> resolveSource(const SourceURLInfo& record) {
    if (record.bookmarkData) {
        if (auto path = foundation::resolveBookmarkData(*record.bookmarkData)) return path;
    }
    if (record.url) return record.url;
    if (!record.strFullPath.empty()) return std::filesystem::path(record.strFullPath);
    return std::nullopt;
}

// A small copy for the previews, computed here on the worker: the screen never decodes the file, and
// the file's decoder closes with the step, reporting to the step's collector.
std::optional<image::Image> previewCopy(const image::Image& image) {
    const auto size = image::pixelSize(image);
    const double s = std::min(1.0, kPreviewSide / std::max(size.width, size.height));
    const auto small = image::resized(
        image, {std::max(1.0, std::floor(size.width * s)), std::max(1.0, std::floor(size.height * s))});
    if (!small) return std::nullopt;
    return image::rendered(*small);
}

// The folder a record's output goes to: the preset's folder, then the dropped folder's name and the
// record's place inside it, each component made safe so that the result stays inside the job folder.
std::filesystem::path outputFolderFor(const std::filesystem::path& presetFolder,
                                      const SourceURLInfo& record) {
    auto folder = presetFolder;
    if (!record.strRootPath.empty()) folder /= safePathComponent(record.strRootPath, "Folder");
    for (const auto& part : std::filesystem::path(record.strRelativePath)) {
        const auto text = part.string();
        if (text.empty() || text == "/") continue;
        folder /= safePathComponent(text, "Folder");
    }
    return folder;
}

// The output file's stem: the renamed stem when the rename engine gave one, else the source's.
std::string outputStem(const std::filesystem::path& source, const SourceURLInfo& record) {
    if (record.updatedUrl) return splitFileName(record.updatedUrl->filename().string()).stem;
    return splitFileName(source.filename().string()).stem;
}

struct Encoded {
    foundation::Data bytes;
    std::string extension;  // of the format the bytes are in
};

// Encodes by extension; the extension returned names the format actually written.
std::optional<Encoded> encodeForExtension(const image::Image& image, const std::string& requested,
                                          std::string* error) {
    const std::string ext = lowercased(requested);
    if (ext == "heic" || ext == "heif") {
        if (auto heif = image::heifData(image, error)) return Encoded{std::move(*heif), requested};
        std::cout << "HEIF could not be written (" << (error ? *error : "") << "); writing JPEG instead"
                  << std::endl;
        auto jpeg = image::encodedData(image, image::FileType::JPEG, 1.0, error);
        if (!jpeg) return std::nullopt;
        return Encoded{std::move(*jpeg), "jpg"};
    }
    const auto type = image::fileTypeForExtension(ext);
    auto bytes = image::encodedData(image, type,
                                    type == image::FileType::JPEG ? std::optional(1.0) : std::nullopt, error);
    if (!bytes) return std::nullopt;
    const auto& table = image::fileTypeByExtension();
    const auto known = table.find(ext);
    const bool nameFits = known != table.end() && known->second == type;
    return Encoded{std::move(*bytes), nameFits ? requested : std::string(image::preferredExtension(type))};
}

class ImageStep {
  public:
    ImageStep(BatchJob& job, const ImageStepInput& input)
        : job_(job), in_(input), preset_(*input.preset), cropSender_(*this) {}

    ImageStepOutcome run() {
        const auto source = resolveSource(in_.record);
        if (!source) return skipped(in_.record, Kind::Unreadable, "the file has no path");
        // Opening a named pipe, socket or device can wait for ever, and none holds a photo.
        if (foundation::isSpecialFile(*source))
            return skipped(in_.record, Kind::Unreadable, "the file is not a regular file, so it is not read");
        // A RAW file's TIFF form would decode as its small embedded preview: never decode it. A copy
        // is the file's own bytes, so a copy-only job copies it as it copies every source.
        const bool cameraRaw = foundation::UTType::ofFile(*source).conformsToCameraRaw();
        if (cameraRaw && !job_.copyOnlyFlag)
            return skipped(in_.record, Kind::Unreadable,
                           "the file is a camera RAW file, which is not processed");
        source_ = *source;
        if (cameraRaw) return copySourceToOutput();
        // The header read holds what its loader copies of the metadata blocks (for some formats the
        // whole file): it takes its share of the job's memory too, or eight workers reading large
        // blocks at once would ask for several times the budget.
        const auto headerBytes = image::headerReadBytes(*source);
        reservation_ = job_.decodeBudget.reserve(headerBytes, [this] { return job_.isGotCancel.load(); });
        if (!reservation_) return skipped(in_.record, Kind::Cancelled, "cancelled");
        std::string error;
        if (!image::memoryCanBeHad(headerBytes, nullptr))
            return skipped(in_.record, Kind::Unreadable,
                           kNotRead + "memory ran out: reading its header needs " +
                               std::to_string(headerBytes / (1024 * 1024)) + " MB");
        auto failure = image::ReadFailure::NotAnImage;
        const auto info = image::readImageInfo(*source, &error, &failure);
        // Given back before the decode's share is asked: holding one share while waiting for another
        // could leave two workers waiting on each other.
        reservation_.reset();
        if (!info) return skipped(in_.record, Kind::Unreadable, reasonFor(failure) + error);
        if (info->tooLarge) return skipped(in_.record, Kind::Unreadable, "the image is too large to process");
        original_ = {double(info->pixelWidth), double(info->pixelHeight)};
        format_ = info->format;

        const auto target =
            targetSizeForPreset(original_, &preset_, in_.fallbackSize, job_.allowPortraitResize);
        if (!target)
            return skipped(in_.record, Kind::TooSmall, "the image is smaller than the preset's size");
        target_ = *target;
        if (!in_.placeholder && !job_.copyOnlyFlag && (target_.width < 1 || target_.height < 1))
            return skipped(in_.record, Kind::Skipped, "the preset gives no output size");
        // A copy without previews decodes nothing. Every other step holds its decode's share of the
        // job's memory, with its file's size for what the metadata may hold, until it ends.
        if (!job_.copyOnlyFlag || previews()) {
            std::error_code ec;
            const auto fileBytes = std::filesystem::file_size(source_, ec);
            const std::uint64_t metadataBytes = ec ? 0 : fileBytes;
            constexpr auto kMostBytes = std::numeric_limits<std::uint64_t>::max();
            const std::uint64_t wanted = info->decodeBytes > kMostBytes - metadataBytes
                                             ? kMostBytes
                                             : info->decodeBytes + metadataBytes;
            reservation_ = job_.decodeBudget.reserve(wanted, [this] { return job_.isGotCancel.load(); });
            if (!reservation_) return skipped(in_.record, Kind::Cancelled, "cancelled");
        }
        return loadAndProcessImage();
    }

    // True once the step has begun to decode the source's pixels; an image skipped by its header
    // never is.
    bool decodedPixels() const { return decoded_; }
    // The file the step read, and its format by its header.
    const std::filesystem::path& source() const { return source_; }
    const std::string& format() const { return format_; }

  private:
    bool previews() const { return !job_.bSkipPreview; }

    static std::string reasonFor(image::ReadFailure failure) {
        switch (failure) {
            case image::ReadFailure::Damaged:
                return "the file is damaged: ";
            case image::ReadFailure::Unsupported:
                return kUnsupported;
            case image::ReadFailure::NotAboutTheFile:
            case image::ReadFailure::Unreadable:
                return kNotRead;
            case image::ReadFailure::NotAnImage:
                break;
        }
        return "the file cannot be read as an image: ";
    }

    ImageStepOutcome loadAndProcessImage() {
        // A copy is the file's own bytes: only a preview decodes it.
        decoded_ = !job_.copyOnlyFlag;
        if (previews()) showLoadingPreview();
        if (job_.copyOnlyFlag) return copySourceToOutput();
        return applyEffectsAndWatermark();
    }

    void showLoadingPreview() {
        auto preview = image::thumbnail(source_, {kPreviewSide, kPreviewSide});
        if (!preview) return;
        preview = image::rendered(*preview);
        const bool saliency = in_.saliencyWanted;
        job_.postToScreen(
            [image = *preview, saliency](ActivityScreen& s) { s.showLoadingPreview(image, saliency); });
        if (!saliency) job_.pacer->pause(1.0);
        if (in_.actionType == ActionType::WxH &&
            (original_.width > target_.width || original_.height > target_.height))
            showTargetFrame();
    }

    // The frame the result will take inside the preview area, in the preview's scale.
    void showTargetFrame() {
        const cg::Rect area = job_.previewRectangle;
        if (area.width() <= 0 || area.height() <= 0) return;
        const cg::Size reference = presetImageCrop(preset_) ? original_ : coverSize(original_, target_);
        if (reference.width <= 0 || reference.height <= 0) return;
        const double fx = area.width() / reference.width, fy = area.height() / reference.height;
        const cg::Size size{target_.width * fx, target_.height * fy};
        const cg::Rect frame(area.midX() - size.width / 2, area.midY() - size.height / 2, size.width,
                             size.height);
        const bool show = !in_.saliencyWanted;
        job_.postToScreen([frame, show](ActivityScreen& s) { s.showTargetFrame(frame, show); });
    }

    ImageStepOutcome copySourceToOutput() {
        std::string error;
        const auto folder =
            createFolders(outputFolderFor(in_.presetFolder, in_.record), &error, *job_.fileSystem);
        if (!folder) return skipped(in_.record, Kind::Skipped, error);
        const auto destination = *folder / (outputStem(source_, in_.record) + extensionOf(source_));
        const auto copied = copyToTemporaryBeside(source_, destination, &error);
        if (!copied) return skipped(in_.record, Kind::Skipped, error);
        return ImageStepOutcome{Kind::Done, in_.record, {}, *copied, destination};
    }

    static std::string extensionOf(const std::filesystem::path& p) {
        const auto parts = splitFileName(p.filename().string());
        return parts.extension.empty() ? std::string() : "." + parts.extension;
    }

    // The size the working image must have before the final resample, so the decoder can skip detail.
    std::optional<cg::Size> neededForScaling() const {
        if (in_.placeholder) return std::nullopt;
        if (presetImageCrop(preset_) || in_.actionType == ActionType::PxP ||
            in_.actionType == ActionType::WxH)
            return coverSize(original_, target_);
        return target_;
    }

    std::optional<image::Image> resizeForActionType(const image::Image& image) const {
        if (presetImageCrop(preset_)) return image::aspectFillCropped(image, target_);
        switch (in_.actionType) {
            case ActionType::PxP:
                return image::resized(image, coverSize(original_, target_));
            case ActionType::WxAuto:
            case ActionType::HxAuto:
                return image::resized(image, target_);
            case ActionType::WxH: {
                const auto scaled = image::resized(image, coverSize(original_, target_)).value_or(image);
                return image::aspectFillCropped(scaled, target_).value_or(scaled);
            }
        }
        return std::nullopt;
    }

    ImageStepOutcome applyEffectsAndWatermark() {
        std::string error;
        const auto needed = neededForScaling();
        const auto loaded =
            needed ? image::loadImage(source_, *needed, &error) : image::loadImage(source_, &error);
        if (!loaded)
            return skipped(in_.record, Kind::Unreadable, "the file cannot be read as an image: " + error);
        const auto effect = effectForPreset(job_.params.effectFilter, preset_);

        std::optional<image::Image> working;
        if (in_.placeholder) {
            working = *loaded;
            if (previews()) postPreview(*loaded, &ActivityScreen::previewPlaceholderImage);
        } else {
            if (original_.width <= target_.width && original_.height <= target_.height) {
                working = resizeForActionType(*loaded);
            } else {
                bool tried = false;
                // The photo as the smart crop decoded it: its fallback scales from it, not from the file
                // again.
                std::optional<image::Image> decoded;
                if (in_.saliencyWanted) {
                    tried = true;
                    working = smartCropImage(source_, original_, target_, presetImageCrop(preset_),
                                             &cropSender_, visionFaceFinder(), &decoded, &job_.cropAnalyses);
                }
                if (!working) {
                    const image::Image& from = decoded ? *decoded : *loaded;
                    if (tried) postFrame(from, std::nullopt);
                    working = resizeForActionType(from);
                }
            }
            // Every scaled or cropped result is shown, an image already at the target's size too.
            if (working && previews()) {
                postPreview(*working, &ActivityScreen::previewWorkingImage);
                job_.pacer->pause(2.0);
            }
        }
        if (!working)
            return skipped(in_.record, Kind::Skipped, "the image could not be scaled to the preset's size");

        if (effect) {
            const auto effected =
                isAutoEnhanceEffect(*effect) ? applyImageEffectOption(*working, 5) : effect->apply(*working);
            if (effected && !effected->isSameObject(*working)) {
                working = effected;
                if (previews()) postPreview(*working, &ActivityScreen::previewEffectImage);
            }
        }
        if (job_.params.watermarkOptions)
            working = watermarkedForOptions(*working, *job_.params.watermarkOptions, std::cout);
        return writeOutputImage(*working);
    }

    ImageStepOutcome writeOutputImage(const image::Image& image) {
        std::string error;
        const auto folder =
            createFolders(outputFolderFor(in_.presetFolder, in_.record), &error, *job_.fileSystem);
        if (!folder) return skipped(in_.record, Kind::Skipped, error);

        const auto format = outputFormatForPreset(job_.params.outputFormat, preset_);
        std::string extension = format.value_or(splitFileName(source_.filename().string()).extension);
        auto encoded = encodeForExtension(image, extension, &error);
        if (!encoded) return skipped(in_.record, Kind::Skipped, "the image could not be encoded: " + error);
        // The name carries the extension of the format the bytes are in, even where the source had none.
        const std::string name = outputStem(source_, in_.record) + "." + encoded->extension;
        const std::string_view bytes(reinterpret_cast<const char*>(encoded->bytes.data()),
                                     encoded->bytes.size());
        const auto written = writeTemporaryBeside(*folder / name, bytes, &error);
        if (!written) return skipped(in_.record, Kind::Skipped, error);
        return ImageStepOutcome{Kind::Done, in_.record, {}, *written, *folder / name};
    }

    void postPreview(const image::Image& image, void (ActivityScreen::*show)(const image::Image&)) {
        const auto copy = previewCopy(image);
        if (!copy) return;
        job_.postToScreen([image = *copy, show](ActivityScreen& s) { (s.*show)(image); });
    }

    // The screen flies the image to `frame` (absent: where the loading preview is now) and takes the
    // image off the list of those still to do; with previews off it only takes it off the list.
    void postFrame(const image::Image& image, std::optional<cg::Rect> frame) {
        const auto copy = previews() ? previewCopy(image) : std::nullopt;
        if (!copy) {
            const bool animated = previews();
            job_.postToScreen([animated](ActivityScreen& s) { s.removeFirstItem(animated); });
            return;
        }
        job_.postToScreen([image = *copy, frame](ActivityScreen& s) {
            s.animateProcessedImageToFrame(image, frame.value_or(s.previewRectangle()));
        });
    }

    // How the smart crops reach the preview and the pacing of this job.
    class JobCropSender : public CropSender {
      public:
        explicit JobCropSender(ImageStep& step) : step_(step) {}
        bool bSkipPreview() const override { return !step_.previews(); }
        void animateProcessedImageToFrame(const image::Image& image, const cg::Rect& frame) override {
            step_.postFrame(image, frame);
        }
        void pause(double seconds) override {
            if (step_.previews()) step_.job_.pacer->pause(seconds);
        }

      private:
        ImageStep& step_;
    };

    BatchJob& job_;
    const ImageStepInput& in_;
    const PresetInfo& preset_;
    std::filesystem::path source_;
    std::string format_;
    cg::Size original_;
    cg::Size target_;
    JobCropSender cropSender_;
    bool decoded_ = false;
    std::optional<image::DecodeBudget::Reservation> reservation_;
};

}  // namespace

ImageStepOutcome processImageStep(BatchJob& job, const ImageStepInput& input) {
    const image::DecodeWarnings warnings;
    ImageStep step(job, input);
    ImageStepOutcome outcome;
    try {
        outcome = step.run();
    } catch (const std::bad_alloc&) {
        // From a decoder written in C++ (libheif), reading a header on this thread: nothing is
        // written yet.
        return skipped(input.record, Kind::Skipped, kNotRead + "memory ran out while the image was read");
    }
    // Judged once every image of the step is released: some decoders report only when they close.
    // An image skipped by its header is never decoded, not even to judge it. Pixels are decoded when
    // first asked for, often while the output is written: a decode that failed there is named as what
    // it is, not as a failure to encode, and one that failed anywhere gave no whole image, even where
    // libvips went on and the output was written.
    if (!step.decodedPixels()) return outcome;
    const auto verdict = warnings.verdict(step.source(), step.format());
    if (verdict.kind == image::ReadVerdict::Kind::Whole) return outcome;
    std::error_code ec;
    if (!outcome.unnamedFile.empty()) std::filesystem::remove(outcome.unnamedFile, ec);
    switch (verdict.kind) {
        case image::ReadVerdict::Kind::Unsupported:
            return skipped(outcome.record, Kind::Unreadable, kUnsupported + verdict.words);
        case image::ReadVerdict::Kind::Damaged:
            return skipped(outcome.record, Kind::Unreadable, "the file is damaged: " + verdict.words);
        case image::ReadVerdict::Kind::NotAboutTheFile:
            return skipped(outcome.record, Kind::Skipped, kNotRead + verdict.words);
        case image::ReadVerdict::Kind::Whole:
        case image::ReadVerdict::Kind::Failed:
            break;
    }
    return skipped(outcome.record, Kind::Unreadable, "the image could not be decoded: " + verdict.words);
}

ImageStepOutcome nameOutputFile(ImageStepOutcome outcome, const OutputFileSystem& fileSystem) {
    if (outcome.unnamedFile.empty()) return outcome;
    std::string error;
    const auto placed =
        moveIntoPlaceWithoutOverwriting(outcome.unnamedFile, outcome.intendedPath, &error, fileSystem);
    outcome.unnamedFile.clear();
    if (!placed) return skipped(outcome.record, Kind::Skipped, error);
    outcome.record.strFinalOutputFilePath = placed->string();
    return outcome;
}

}  // namespace core
