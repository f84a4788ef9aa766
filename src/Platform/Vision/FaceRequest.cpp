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
// A detection covered this much by a stronger one is the same face found twice, or a false face beside it.
constexpr double duplicateShare = 0.4;

struct Detection {
    cv::Rect box;
    int neighbours;  // how many overlapping windows agreed: the detector's confidence
};

std::vector<cv::Rect> withoutDuplicates(std::vector<Detection> found) {
    std::stable_sort(found.begin(), found.end(),
                     [](const Detection& a, const Detection& b) { return a.neighbours > b.neighbours; });
    std::vector<cv::Rect> kept;
    for (const Detection& d : found) {
        const bool duplicate = std::any_of(kept.begin(), kept.end(), [&](const cv::Rect& stronger) {
            const double overlap = (stronger & d.box).area();
            return overlap >= duplicateShare * std::min(d.box.area(), stronger.area());
        });
        if (!duplicate) kept.push_back(d.box);
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
        std::error_code missing;
        if (!std::filesystem::is_regular_file(cascadePath_, missing) || !classifier.load(cascadePath_)) {
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
    std::vector<cv::Rect> boxes;
    std::vector<int> neighbours;
    try {
        const int side = minimumFaceSide(grey);
        classifier.detectMultiScale(equalised, boxes, neighbours, 1.1, minimumNeighbours, 0,
                                    cv::Size(side, side));
    } catch (const cv::Exception& e) {
        result.error = std::string("Face detection failed: ") + e.what();
        return result;
    }
    const double width = grey.cols, height = grey.rows;
    std::vector<Detection> found;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        found.push_back({boxes[i], i < neighbours.size() ? neighbours[i] : 0});
    }
    for (const cv::Rect& face : withoutDuplicates(std::move(found))) {
        const cg::Rect box(face.x / width, 1.0 - (face.y + face.height) / height, face.width / width,
                           face.height / height);
        result.results.push_back({box, true});
    }
    return result;
}

}  // namespace vision
