#include "Platform/Vision/FaceRequest.h"

#include <algorithm>
#include <filesystem>
#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

#include "Platform/Vision/AnalysisImage.h"

namespace vision {

namespace {

// Haar's own window is 24 pixels. On a large analysis copy the smallest scales are also the costliest (the
// detector keeps integral images of every scale), so faces below 1/40 of the long side are not looked for.
int minimumFaceSide(const cv::Mat& image) {
    return std::max(24, std::max(image.cols, image.rows) / 40);
}
// More neighbours than OpenCV's default of 3: a false face moves the crop, a missed one only stops it.
constexpr int minimumNeighbours = 5;
// A detection covered this much by a larger one is the same face found twice.
constexpr double duplicateShare = 0.4;

std::vector<cv::Rect> withoutDuplicates(std::vector<cv::Rect> faces) {
    std::sort(faces.begin(), faces.end(),
              [](const cv::Rect& a, const cv::Rect& b) { return a.area() > b.area(); });
    std::vector<cv::Rect> kept;
    for (const cv::Rect& face : faces) {
        const bool duplicate = std::any_of(kept.begin(), kept.end(), [&](const cv::Rect& larger) {
            return (larger & face).area() >= duplicateShare * face.area();
        });
        if (!duplicate) kept.push_back(face);
    }
    return kept;
}

}  // namespace

FaceRequest::FaceRequest() : cascadePath_(defaultCascadePath().value_or("")) {}

std::optional<std::string> FaceRequest::defaultCascadePath() {
    namespace fs = std::filesystem;
    const std::string relative = std::string("haarcascades/") + cascadeFileName;
    std::vector<fs::path> folders;
#ifdef VORTA_OPENCV_DATA_DIR
    folders.emplace_back(VORTA_OPENCV_DATA_DIR);
#endif
    folders.emplace_back("/usr/share/opencv4");
    folders.emplace_back("/usr/local/share/opencv4");
    folders.emplace_back("/usr/share/opencv");
    for (const fs::path& folder : folders) {
        std::error_code error;
        if (fs::is_regular_file(folder / relative, error)) return (folder / relative).string();
    }
    return std::nullopt;
}

FaceRequestResult FaceRequest::perform(const ImageRequestHandler& handler) const {
    FaceRequestResult result;
    if (cascadePath_.empty()) {
        result.error = std::string("Face detection is unavailable: the face model ") + cascadeFileName +
                       " was not found in OpenCV's data folder (install the package opencv-data).";
        return result;
    }
    cv::CascadeClassifier classifier;
    try {
        if (!classifier.load(cascadePath_)) {
            result.error =
                "Face detection is unavailable: the face model " + cascadePath_ + " could not be read.";
            return result;
        }
    } catch (const cv::Exception&) {
        result.error =
            "Face detection is unavailable: the face model " + cascadePath_ + " could not be read.";
        return result;
    }
    if (!handler.isValid()) return result;

    const cv::Mat& grey = handler.analysisImage().grey();
    cv::Mat equalised;
    cv::equalizeHist(grey, equalised);
    std::vector<cv::Rect> faces;
    try {
        const int side = minimumFaceSide(grey);
        classifier.detectMultiScale(equalised, faces, 1.1, minimumNeighbours, 0, cv::Size(side, side));
    } catch (const cv::Exception& e) {
        result.error = std::string("Face detection failed: ") + e.what();
        return result;
    }
    const double width = grey.cols, height = grey.rows;
    for (const cv::Rect& face : withoutDuplicates(std::move(faces))) {
        const cg::Rect box(face.x / width, 1.0 - (face.y + face.height) / height, face.width / width,
                           face.height / height);
        result.results.push_back({box, true});
    }
    return result;
}

}  // namespace vision
