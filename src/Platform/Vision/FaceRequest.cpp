#include "Platform/Vision/FaceRequest.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

#include "Platform/Vision/AnalysisImage.h"

namespace vision {

namespace {

// The cascade's own window is 24 pixels. A face of a twentieth of the long side is looked for with room to
// spare (a detector's box of a face varies by a few steps of the scan); smaller scales would cost most of
// the scan (the detector keeps integral images of every scale) for faces no crop is placed by.
int minimumFaceSide(const cv::Mat& image) {
    return std::max(24, std::max(image.cols, image.rows) / 24);
}
// Each step of the scan enlarges the window this much. At 1.1 a clear face could fall between two steps and
// be lost (one framing in five of sharp and soft portraits against the frame's edges), or be kept by a hair
// (another JPEG quality flipped it); at 1.05 every one was found, for about one and a half times the scan.
constexpr double scanStep = 1.05;
// How far the copy's edge rows and columns are repeated outwards before the scan, as a share of its long
// side. The cascade confirms a face by several overlapping windows; against an edge of the photo only the
// windows on one side of it fit, and a clear face there gathered one or two (one Lanczos rounding of the copy
// more or less decided whether it was found). With this room every face of the measured sets gathered eight
// or more (four keep a face), wherever it lay.
constexpr double edgeRoom = 0.03;
// OpenCV's default: the local-binary-pattern cascade agrees on a real face with fewer overlapping windows
// than a Haar cascade does, and every face it finds must still be confirmed by the Haar cascade below.
constexpr int minimumNeighbours = 3;
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

// A classifier read from a cascade file; none when the file is missing or cannot be read.
std::unique_ptr<cv::CascadeClassifier> classifierFrom(const std::string& path) {
    auto classifier = std::make_unique<cv::CascadeClassifier>();
    try {
        std::error_code missing;
        if (!std::filesystem::is_regular_file(path, missing) || !classifier->load(path)) return nullptr;
    } catch (const cv::Exception&) {
        return nullptr;
    }
    return classifier;
}

// The classifier of this thread for a cascade file, loaded on first use and kept for the thread's life:
// reading a Haar cascade costs more than its scan around a face, and a classifier keeps scratch buffers of
// its own, so it is never shared between threads. Null when the file cannot be read.
cv::CascadeClassifier* loadedClassifier(const std::string& path) {
    thread_local std::map<std::string, std::unique_ptr<cv::CascadeClassifier>> loaded;
    const auto known = loaded.find(path);
    if (known != loaded.end()) return known->second.get();
    auto classifier = classifierFrom(path);
    // A missing file is looked for again next time: it may be installed while the application runs.
    if (!classifier) return nullptr;
    return loaded.emplace(path, std::move(classifier)).first->second.get();
}

// A second, independently trained cascade of the same package (of another kind: Haar features): a
// detection it does not confirm is far more often a pattern in hair, fabric or a background than a face.
// It looks only around each detection, so it costs little; a Haar scan of the whole copy costs about four
// times the first cascade's (bench/smart_crop_stages).
constexpr const char* confirmingCascadeFile = "haarcascades/haarcascade_frontalface_alt2.xml";

// Whether the confirming cascade finds a face of about the same place and size around `box`. True when
// that cascade is not installed: the detection then stands on the first cascade alone.
bool confirmedFace(const cv::Mat& grey, const cv::Rect& box, const std::string& cascadePath) {
    const auto dataFolder = std::filesystem::path(cascadePath).parent_path().parent_path();
    cv::CascadeClassifier* confirming = loadedClassifier((dataFolder / confirmingCascadeFile).string());
    if (!confirming) return true;
    const int margin = box.width / 3;
    const cv::Rect around =
        cv::Rect(box.x - margin, box.y - margin, box.width + 2 * margin, box.height + 2 * margin) &
        cv::Rect(0, 0, grey.cols, grey.rows);
    std::vector<cv::Rect> found;
    const int least = std::max(20, box.width * 2 / 3);
    confirming->detectMultiScale(grey(around), found, 1.1, 2, 0, cv::Size(least, least),
                                 cv::Size(box.width * 3 / 2, box.height * 3 / 2));
    return std::any_of(found.begin(), found.end(), [&](const cv::Rect& f) {
        const cv::Rect placed(f.x + around.x, f.y + around.y, f.width, f.height);
        return (placed & box).area() >= 0.5 * std::min(placed.area(), box.area());
    });
}

// How far the colours of a face's middle may lie from its own, each pixel's colour taken relative to its
// brightness (the colour-difference channels over luma) and the pixels weighted by their luma: three quarters
// of them lie within this distance of the median colour. Under one light a face is one hue whose colour
// grows with its brightness, so this stays small whatever the light's colour: at most 0.19 on the measured
// portraits in daylight and under red, magenta, blue, green, cyan, sodium, tungsten and golden light (the
// spread of colour beside the spread of brightness measures how coloured the light is, not how many hues
// there are: it lost most faces under magenta light). Coloured texture (noise, confetti, fabric of many
// colours) has a colour of its own in every blob: 0.32 and more, and there the cascades find patterns of
// blobs that look like eyes and a mouth to them. The eyes, brows and lips of a face are the quarter left out.
constexpr double mostHueDistance = 0.25;
constexpr double faceShare = 0.75;

struct Weighted {
    float value, weight;
};

// The least value at or below which `share` of the weight lies.
double weightedQuantile(std::vector<Weighted> values, double share) {
    std::sort(values.begin(), values.end(),
              [](const Weighted& a, const Weighted& b) { return a.value < b.value; });
    double total = 0;
    for (const Weighted& v : values) total += v.weight;
    double below = 0;
    for (const Weighted& v : values) {
        below += v.weight;
        if (below >= share * total) return v.value;
    }
    return values.empty() ? 0 : values.back().value;
}

// Whether the middle of `box` (its central three fifths, without hair and background) has the colours of
// one face rather than of coloured texture. True for a picture without colour: nothing to tell there.
bool oneHued(const cv::Mat& colour, const cv::Rect& box) {
    if (colour.empty()) return true;
    const cv::Rect middle =
        cv::Rect(box.x + box.width / 5, box.y + box.height / 5, box.width * 3 / 5, box.height * 3 / 5) &
        cv::Rect(0, 0, colour.cols, colour.rows);
    if (middle.empty()) return true;
    cv::Mat lumaAndChroma;
    cv::cvtColor(colour(middle), lumaAndChroma, cv::COLOR_RGB2YCrCb);
    // Each pixel's two colour differences over its luma, weighted by its luma: dark pixels, whose colour is
    // mostly the JPEG's noise, count for little.
    std::vector<Weighted> red, blue;
    for (int y = 0; y < lumaAndChroma.rows; ++y) {
        const cv::Vec3b* row = lumaAndChroma.ptr<cv::Vec3b>(y);
        for (int x = 0; x < lumaAndChroma.cols; ++x) {
            const float luma = std::max<float>(1, row[x][0]);
            red.push_back({(row[x][1] - 128.0f) / luma, luma});
            blue.push_back({(row[x][2] - 128.0f) / luma, luma});
        }
    }
    const double medianRed = weightedQuantile(red, 0.5), medianBlue = weightedQuantile(blue, 0.5);
    std::vector<Weighted> distances;
    distances.reserve(red.size());
    for (std::size_t i = 0; i < red.size(); ++i) {
        distances.push_back(
            {float(std::hypot(red[i].value - medianRed, blue[i].value - medianBlue)), red[i].weight});
    }
    return weightedQuantile(std::move(distances), faceShare) <= mostHueDistance;
}

// How bright the darkest tenth of a face's middle may be beside its median brightness. The eyes, brows,
// nostrils and lips of a face are well darker than its skin, whatever the light's colour, and however soft
// the face: at most 0.76 on the measured portraits (sharp and soft, in daylight and under the eight lights),
// 0.80 on a pale, washed-out face of OpenCV's documentation. A cloud in a blue sky, where the cascades can
// see a face in its shading, has nothing darker than the sky around it: 0.93.
constexpr double darkestTenthOfMedian = 0.86;

// Whether the middle of `box` (its central three fifths) holds the dark features of a face.
bool hasDarkFeatures(const cv::Mat& grey, const cv::Rect& box) {
    const cv::Rect middle =
        cv::Rect(box.x + box.width / 5, box.y + box.height / 5, box.width * 3 / 5, box.height * 3 / 5) &
        cv::Rect(0, 0, grey.cols, grey.rows);
    if (middle.empty()) return true;
    std::array<int, 256> counts{};
    for (int y = middle.y; y < middle.y + middle.height; ++y) {
        const std::uint8_t* row = grey.ptr<std::uint8_t>(y);
        for (int x = middle.x; x < middle.x + middle.width; ++x) ++counts[row[x]];
    }
    const auto level = [&](double share) {
        const double wanted = share * middle.area();
        double below = 0;
        for (int v = 0; v < 256; ++v) {
            below += counts[v];
            if (below > wanted) return v;
        }
        return 255;
    };
    return level(0.1) <= darkestTenthOfMedian * std::max(1, level(0.5));
}

// How much larger than another detection a face must be for that detection to be a part of its head, and how
// far its head reaches beside and around the box (in the box's widths). The cascades see a face in an ear
// with the hair around it, or in an eye, of a close face: a box a quarter of the face's size beside it,
// confirmed by the second cascade. Taken for a second face higher in the picture, it drew the crop's window
// off the face it belongs to.
constexpr double headToPart = 2.0;
constexpr double headSides = 0.25, headAbove = 0.4, headBelow = 0.25;

// Whether most of `part` lies inside the head around `face`, a face at least headToPart times as wide.
bool partOfHead(const cv::Rect& part, const cv::Rect& face) {
    if (face.width < headToPart * part.width) return false;
    const cv::Rect head(face.x - int(headSides * face.width), face.y - int(headAbove * face.height),
                        face.width + 2 * int(headSides * face.width),
                        face.height + int((headAbove + headBelow) * face.height));
    return (part & head).area() >= duplicateShare * part.area();
}

}  // namespace

FaceRequest::FaceRequest() : cascadePath_(defaultCascadePath().value_or("")) {}

std::optional<std::string> FaceRequest::defaultCascadePath() {
    namespace fs = std::filesystem;
    const std::string relative = std::string("lbpcascades/") + cascadeFileName;
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
    // Read for each request (about a millisecond), so that the scratch buffers of its scan over the whole
    // copy (about 6 MB, kept as long as the classifier) are given back as soon as the faces are found.
    const std::unique_ptr<cv::CascadeClassifier> classifier = classifierFrom(cascadePath_);
    if (!classifier) {
        result.error =
            "Face detection is unavailable: the face model " + cascadePath_ + " could not be read.";
        return result;
    }
    if (!handler.isValid()) return result;

    // The grey levels as they are: spreading them over the whole copy's histogram flattened a small face on
    // a plain background (the background's one grey took most of the range), and it was lost.
    const cv::Mat& grey = handler.analysisImage().grey();
    const cv::Rect inside(0, 0, grey.cols, grey.rows);
    const int room = int(edgeRoom * std::max(grey.cols, grey.rows));
    std::vector<cv::Rect> boxes;
    std::vector<int> neighbours;
    std::vector<Detection> found;
    try {
        cv::Mat scanned;
        cv::copyMakeBorder(grey, scanned, room, room, room, room, cv::BORDER_REPLICATE);
        const int side = minimumFaceSide(grey);
        // The cascade steps its window two pixels at a time while it is under twice its own size, one
        // pixel above that: the faces just above that size took three quarters of the scan. They are looked
        // for on the copy reduced to two thirds, still stepped more finely than the smallest faces are.
        const int window = classifier->getOriginalWindowSize().width, twice = 2 * window;
        const auto scan = [&](const cv::Mat& image, double scale, cv::Size least, cv::Size most) {
            classifier->detectMultiScale(image, boxes, neighbours, scanStep, minimumNeighbours, 0, least,
                                         most);
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                const cv::Rect& b = boxes[i];
                // Back in the copy's pixels, without the part that lay in the repeated edge.
                const cv::Rect box =
                    cv::Rect(int(std::lround(b.x / scale)) - room, int(std::lround(b.y / scale)) - room,
                             int(std::lround(b.width / scale)), int(std::lround(b.height / scale))) &
                    inside;
                if (!box.empty()) found.push_back({box, i < neighbours.size() ? neighbours[i] : 0});
            }
        };
        if (side < twice) scan(scanned, 1, cv::Size(side, side), cv::Size(twice - 1, twice - 1));
        // A copy too narrow for those faces (a strip, a few pixels) is not reduced: it has none of them, and
        // could be reduced to nothing.
        const cv::Size reducedSize(scanned.cols * 2 / 3, scanned.rows * 2 / 3);
        const double reduction = double(reducedSize.width) / scanned.cols;
        const int least = int(std::ceil(std::max(side, twice) * reduction));
        if (std::min(reducedSize.width, reducedSize.height) >= std::max(least, window)) {
            cv::Mat reduced;
            cv::resize(scanned, reduced, reducedSize, 0, 0, cv::INTER_AREA);
            scan(reduced, reduction, cv::Size(least, least), cv::Size());
        }
    } catch (const cv::Exception& e) {
        result.error = std::string("Face detection failed: ") + e.what();
        return result;
    }
    std::vector<cv::Rect> faces;
    for (const cv::Rect& face : withoutDuplicates(std::move(found))) {
        if (oneHued(handler.analysisImage().colour(), face) && hasDarkFeatures(grey, face) &&
            confirmedFace(grey, face, cascadePath_))
            faces.push_back(face);
    }
    const double width = grey.cols, height = grey.rows;
    for (const cv::Rect& face : faces) {
        if (std::any_of(faces.begin(), faces.end(),
                        [&](const cv::Rect& other) { return partOfHead(face, other); }))
            continue;
        const cg::Rect box(face.x / width, 1.0 - (face.y + face.height) / height, face.width / width,
                           face.height / height);
        result.results.push_back({box, true});
    }
    return result;
}

}  // namespace vision
