#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Core/Crop/CropAnalyses.h"
#include "Core/Crop/FacePlacement.h"
#include "Core/Crop/SmartCropStep.h"
#include "CropTestImages.h"
#include "Platform/Image/Bitmap.h"
#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Vision/FaceRequest.h"
#include "Support/TempDir.h"

namespace {

// A real portrait and where its face is (as a detector boxes it, in the portrait's own pixels), enlarged
// `scale` times: below 1 it stays sharp, above 2 it is soft.
struct Portrait {
    const char* file;
    cg::Rect face;
    double scale;
    cg::Size canvas;  // the photo it is framed in
};

// Where the face lies: in the middle, four pixels from an edge, or a third of the way across and a little
// above the middle.
enum class Edge { centred, left, right, top, bottom, leftThird, rightThird };

const char* edgeName(Edge edge) {
    static constexpr const char* names[] = {"centred", "left",       "right",      "top",
                                            "bottom",  "left third", "right third"};
    return names[int(edge)];
}

// A light of one colour: what it multiplies the red, green and blue of the portrait by.
struct Light {
    const char* name;
    double red, green, blue;
};
constexpr Light whiteLight{"white light", 1, 1, 1};

// A plain grey field, or a busy one: blocks of many colours and greys, as foliage or a crowd gives.
image::Bitmap background(cg::Size size, bool busy) {
    const int w = int(size.width), h = int(size.height);
    image::Bitmap pixels{w, h, 3, std::vector<std::uint8_t>(std::size_t(w) * h * 3)};
    std::vector<std::uint8_t> cells(std::size_t(w / 24 + 1) * (h / 24 + 1) * 3);
    std::uint32_t state = 2024;
    for (auto& c : cells) {
        state = state * 1664525u + 1013904223u;
        c = std::uint8_t(40 + (state >> 24) % 180);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int b = 0; b < 3; ++b) {
                const std::size_t cell = (std::size_t(y / 24) * (w / 24 + 1) + x / 24) * 3 + b;
                pixels.bytes[(std::size_t(y) * w + x) * 3 + b] =
                    busy ? cells[cell] : std::uint8_t(200 + 5 * b);
            }
    return pixels;
}

// `pasted` laid on `photo` with its top-left corner at (dx, dy), lit by `light`, cut off by the photo's
// edges.
void paste(image::Bitmap& photo, const image::Bitmap& pasted, int dx, int dy, const Light& light) {
    for (int y = std::max(0, dy); y < std::min(photo.height, dy + pasted.height); ++y)
        for (int x = std::max(0, dx); x < std::min(photo.width, dx + pasted.width); ++x)
            for (int b = 0; b < 3; ++b) {
                const double gain = b == 0 ? light.red : b == 1 ? light.green : light.blue;
                photo.bytes[(std::size_t(y) * photo.width + x) * 3 + b] =
                    std::uint8_t(std::min(255.0, std::round(pasted.at(x - dx, y - dy, b) * gain)));
            }
}

// The portrait pasted on the background so that its face is centred or lies four pixels from an edge of
// the photo (the rest of the portrait cut off by it), written as a JPEG to `name` in `dir`; the face's box
// in the photo.
cg::Rect framed(const image::Image& portrait, const Portrait& p, Edge edge, bool busy, const Light& light,
                const testsupport::TempDir& dir, const std::string& name) {
    const cg::Size size{std::round(portrait.size().width * p.scale),
                        std::round(portrait.size().height * p.scale)};
    const image::Bitmap pasted = image::bitmap(*image::resized(portrait, size));
    const cg::Rect face(p.face.minX() * p.scale, p.face.minY() * p.scale, p.face.width() * p.scale,
                        p.face.height() * p.scale);
    const double W = p.canvas.width, H = p.canvas.height;
    double ox = W / 2 - face.midX(), oy = H / 2 - face.midY();
    if (edge == Edge::left) ox = 4 - face.minX();
    if (edge == Edge::right) ox = W - 4 - face.maxX();
    if (edge == Edge::top) oy = 4 - face.minY();
    if (edge == Edge::bottom) oy = H - 4 - face.maxY();
    if (edge == Edge::leftThird || edge == Edge::rightThird) oy = H * 0.4 - face.midY();
    if (edge == Edge::leftThird) ox = W / 3 - face.midX();
    if (edge == Edge::rightThird) ox = W * 2 / 3 - face.midX();
    const int dx = int(std::round(ox)), dy = int(std::round(oy));
    image::Bitmap photo = background(p.canvas, busy);
    paste(photo, pasted, dx, dy, light);
    const auto bytes = image::encodedData(*image::imageFromBitmap(photo), image::FileType::JPEG, 0.9);
    dir.write(name, std::string(bytes->begin(), bytes->end()));
    return cg::Rect(face.minX() + dx, face.minY() + dy, face.width(), face.height());
}

struct Target {
    cg::Size size;
    bool fill;
};

// The faces a finder found, one list per analysis, in the photo's pixels.
core::FaceFinder recordingFinder(std::vector<std::vector<cg::Rect>>& found, cg::Size original) {
    return [&found, original](const image::Image& copy) {
        const auto faces = core::visionFaceFinder()(copy);
        found.emplace_back();
        for (const auto& f : faces.results)
            found.back().push_back(core::faceBox(f.boundingBox, original.width, original.height));
        return faces;
    };
}

// The window a smart crop cut, in the photo's pixels.
cg::Rect windowCut(const croptest::RecordingSender& sender, cg::Size original) {
    const double q = original.width / sender.shownSizes.front().width;
    const cg::Rect f = sender.frames.front();
    return cg::Rect(f.minX() * q, f.minY() * q, f.width() * q, f.height() * q);
}

std::string rectText(const cg::Rect& r) {
    return std::to_string(int(r.minX())) + "," + std::to_string(int(r.minY())) + " to " +
           std::to_string(int(r.maxX())) + "," + std::to_string(int(r.maxY()));
}

// One job's smart crops of the photo at `path` to `targets`, which share one analysis: it must find the faces
// of the photo (`truths`, the largest first) and no other. Every window must hold the faces where they fit in
// it together; else the largest face, and its chin (a quarter of its height below it), wherever a window of
// the target's shape can. Targets the photo cannot cover are skipped: a job never enlarges. Returns how many
// windows held a chin that the photo shows.
int cropsHoldTheFaces(const std::filesystem::path& path, cg::Size original,
                      const std::vector<cg::Rect>& truths, const std::vector<Target>& targets) {
    std::vector<std::vector<cg::Rect>> found;
    const core::FaceFinder finder = recordingFinder(found, original);
    core::CropAnalyses analyses;
    int chinsHeld = 0;
    const auto isTheFaceOf = [](const cg::Rect& box, const cg::Rect& truth) {
        return truth.contains(cg::Point{box.midX(), box.midY()}) && box.width() > 0.7 * truth.width() &&
               box.width() < 1.4 * truth.width();
    };
    for (const Target& t : targets) {
        if (t.size.width > original.width || t.size.height > original.height) continue;
        SCOPED_TRACE(std::to_string(int(t.size.width)) + " x " + std::to_string(int(t.size.height)) +
                     (t.fill ? ", crop to fill" : ""));
        croptest::RecordingSender sender;
        const auto result =
            core::smartCropImage(path, original, t.size, t.fill, &sender, finder, nullptr, &analyses);
        EXPECT_EQ(found.size(), 1u);
        if (found.size() != 1) break;
        std::string faces = "found";
        for (const cg::Rect& f : found[0]) faces += " " + rectText(f);
        EXPECT_EQ(found[0].size(), truths.size()) << faces;
        for (const cg::Rect& f : found[0])
            EXPECT_TRUE(std::any_of(truths.begin(), truths.end(),
                                    [&](const cg::Rect& truth) { return isTheFaceOf(f, truth); }))
                << "a face where nobody is: " << rectText(f);
        const auto largest = std::find_if(found[0].begin(), found[0].end(),
                                          [&](const cg::Rect& f) { return isTheFaceOf(f, truths.front()); });
        if (largest == found[0].end()) {
            ADD_FAILURE() << "the largest face is not found; " << faces;
            break;
        }
        if (!result || sender.frames.size() != 1) {
            ADD_FAILURE() << "no crop";
            continue;
        }
        EXPECT_EQ(image::pixelSize(*result), t.size);

        // The window cut, give or take a pixel of the picture it was cut from.
        const double q = original.width / sender.shownSizes.front().width;
        const cg::Rect window = windowCut(sender, original);
        const auto holds = [&](const cg::Rect& r) { return window.insetBy(-q, -q).contains(r); };
        const std::string shown = "window " + rectText(window) + "; " + faces;
        cg::Rect all = *largest;
        for (const cg::Rect& f : found[0]) all = all.unionWith(f);
        if (found[0].size() > 1 && all.width() <= window.width() && all.height() <= window.height()) {
            EXPECT_TRUE(holds(all)) << shown;
            continue;
        }
        const cg::Rect box = *largest;
        // The face box with a quarter of its height below it, as far as the photo goes.
        const cg::Rect withChin = cg::Rect(box.minX(), box.minY(), box.width(), box.height() * 1.25)
                                      .intersection(cg::Rect(0, 0, original.width, original.height));
        // The largest window of the target's shape inside the photo.
        const double k = std::min(original.width / t.size.width, original.height / t.size.height);
        const auto fits = [&](const cg::Rect& r) {
            return r.width() <= t.size.width * k && r.height() <= t.size.height * k;
        };
        EXPECT_TRUE(!fits(box) || holds(box)) << shown;
        EXPECT_TRUE(!fits(withChin) || holds(withChin)) << "with its chin: " << shown;
        chinsHeld += fits(withChin) && withChin.height() > box.height() + 1;
    }
    return chinsHeld;
}

// A 3000 x 2000 photo cut around the portrait's face (`face`, in its own pixels) so that the face fills
// `share` of the photo's height, centred across or near the left edge (what lies beyond the portrait is
// black), written as a JPEG to `name` in `dir`; the face's box in the photo.
cg::Rect closePhoto(const image::Image& portrait, const cg::Rect& face, double share, bool nearEdge,
                    const testsupport::TempDir& dir, const std::string& name) {
    const double h = face.height() / share, w = h * 3 / 2;
    const int x = int(std::lround(nearEdge ? face.minX() - 0.03 * w : face.midX() - w / 2));
    const int y = int(std::lround(face.midY() - h / 2));
    const vips::VImage part = image::toVips(portrait).embed(-x, -y, int(std::lround(w)), int(std::lround(h)));
    const double kx = 3000.0 / part.width(), ky = 2000.0 / part.height();
    const auto bytes =
        image::encodedData(image::fromVips(part.resize(kx, vips::VImage::option()->set("vscale", ky))),
                           image::FileType::JPEG, 0.9);
    dir.write(name, std::string(bytes->begin(), bytes->end()));
    return cg::Rect((face.minX() - x) * kx, (face.minY() - y) * ky, face.width() * kx, face.height() * ky);
}

// Someone standing in the photo: `portrait`, softened, scaled so that its face (`face`, in its own pixels) is
// `side` pixels wide with its top-left corner at `at`; the face's box in the photo.
cg::Rect standing(image::Bitmap& photo, const image::Image& portrait, const cg::Rect& face, double side,
                  cg::Point at) {
    const cg::Size own = portrait.size(), shrunk{std::round(own.width * 0.35), std::round(own.height * 0.35)};
    const double k = side / face.width();
    const image::Image soft = *image::resized(*image::resized(portrait, shrunk), own);
    const image::Bitmap pasted =
        image::bitmap(*image::resized(soft, {std::round(own.width * k), std::round(own.height * k)}));
    paste(photo, pasted, int(std::round(at.x - face.minX() * k)), int(std::round(at.y - face.minY() * k)),
          whiteLight);
    return cg::Rect(at.x, at.y, side, side);
}

}  // namespace

TEST(FramedFaceCrop, EverySmartCropHoldsTheFaceAndItsChinWhereverTheTargetsShapeAndTheLightsColourCan) {
    if (!vision::FaceRequest::defaultCascadePath())
        GTEST_SKIP() << "the face model of opencv-data is not installed";
    const std::filesystem::path data(VORTA_TEST_DATA_DIR);
    const cg::Rect astronaut{176, 65, 96, 96}, grace{155, 108, 218, 218};
    testsupport::TempDir dir;

    // In daylight: sharp faces a twentieth of the photo's long side; soft ones enlarged two and a half and
    // two times; centred and against each edge.
    const std::vector<Portrait> portraits = {
        {"astronaut.jpg", astronaut, 1.0, {1920, 1280}},
        {"astronaut.jpg", astronaut, 2.5, {2200, 1700}},
        {"grace_hopper.jpg", grace, 0.5, {2180, 1450}},
        {"grace_hopper.jpg", grace, 2.0, {1800, 2300}},
    };
    // Those without crop to fill first: their analysis looks for the salient objects too, and is kept.
    const std::vector<Target> targets = {{{900, 400}, false}, {{400, 600}, false}, {{500, 500}, false},
                                         {{900, 400}, true},  {{400, 600}, true},  {{500, 500}, true}};
    const std::vector<Edge> edges = {Edge::centred, Edge::left, Edge::right, Edge::top, Edge::bottom};
    int chinsHeld = 0;
    for (const Portrait& p : portraits) {
        const auto portrait = image::loadImage(data / p.file);
        ASSERT_TRUE(portrait) << p.file;
        for (const Edge edge : edges) {
            const bool busy = (&p - portraits.data() + int(edge)) % 2 == 1;
            const std::string name = std::string(p.file) + " x" + std::to_string(p.scale).substr(0, 3) + " " +
                                     edgeName(edge) + (busy ? " busy" : " plain");
            SCOPED_TRACE(name);
            const auto path = dir / (name + ".jpg");
            const cg::Rect truth = framed(*portrait, p, edge, busy, whiteLight, dir, name + ".jpg");

            // Alone, the crops to two targets of other shapes find the same faces.
            std::vector<std::vector<cg::Rect>> found;
            const core::FaceFinder finder = recordingFinder(found, p.canvas);
            croptest::RecordingSender alone;
            core::smartCropImage(path, p.canvas, {900, 400}, false, &alone, finder);
            core::smartCropImage(path, p.canvas, {400, 600}, false, &alone, finder);
            ASSERT_EQ(found.size(), 2u);
            EXPECT_EQ(found[0], found[1]);

            chinsHeld += cropsHoldTheFaces(path, p.canvas, {truth}, targets);
        }
    }
    // Most photos go on below the face, and most windows can hold its chin.
    EXPECT_GE(chinsHeld, 80);

    // Under stage lights, street lamps and lamplight, the skin takes the light's colour, more as it is
    // brighter: faces enlarged from 1.6 to 3.2 times, off-centre on a grey field.
    const std::vector<Light> lights = {{"red stage", 1.30, 0.60, 0.60},  {"magenta stage", 1.10, 0.55, 1.25},
                                       {"blue stage", 0.60, 0.75, 1.30}, {"green stage", 0.70, 1.20, 0.70},
                                       {"cyan stage", 0.60, 1.10, 1.20}, {"sodium", 1.30, 0.95, 0.45},
                                       {"tungsten", 1.25, 1.00, 0.65},   {"golden hour", 1.20, 0.95, 0.70}};
    const std::vector<Portrait> lit = {
        {"astronaut.jpg", astronaut, 1.6, {1400, 1100}},
        {"astronaut.jpg", astronaut, 3.2, {2400, 1800}},
        {"grace_hopper.jpg", grace, 1.6, {1900, 1300}},
        {"grace_hopper.jpg", grace, 2.4, {1800, 2400}},
    };
    chinsHeld = 0;
    for (const Portrait& p : lit) {
        const auto portrait = image::loadImage(data / p.file);
        ASSERT_TRUE(portrait) << p.file;
        for (const Light& light : lights) {
            const Edge edge = (&light - lights.data()) % 2 == 0 ? Edge::leftThird : Edge::rightThird;
            const std::string name = std::string(p.file) + " x" + std::to_string(p.scale).substr(0, 3) + " " +
                                     light.name + " " + edgeName(edge);
            SCOPED_TRACE(name);
            const cg::Rect truth = framed(*portrait, p, edge, false, light, dir, name + ".jpg");
            chinsHeld += cropsHoldTheFaces(dir / (name + ".jpg"), p.canvas, {truth},
                                           {{{900, 400}, false}, {{400, 600}, false}, {{500, 500}, false}});
        }
    }
    EXPECT_GE(chinsHeld, 48);
}

TEST(FramedFaceCrop, ThePictureScaledForTheTargetIsAsDetailedAsTheFileGivesWhicheverDecodeTheFacesCameFrom) {
    // Fine noise, which a picture scaled up from a coarser decode would blur, and no face, so that the crop
    // hands back the picture it scaled for its fallback.
    testsupport::TempDir dir;
    const cg::Size original{3200, 1600};
    const auto bytes = image::encodedData(croptest::noisyFieldWithDisc(3200, 1600, 400, 400, 100),
                                          image::FileType::JPEG, 0.95);
    ASSERT_TRUE(bytes);
    const auto path = dir.write("noise.jpg", std::string(bytes->begin(), bytes->end()));
    // A target the faces' decode covers, and one that needs a finer decode of the file.
    for (const cg::Size target : {cg::Size{1200, 600}, cg::Size{2400, 1200}}) {
        SCOPED_TRACE(std::to_string(int(target.width)) + " x " + std::to_string(int(target.height)));
        std::optional<image::Image> decoded;
        const core::FaceFinder none = [](const image::Image&) { return vision::FaceRequestResult{}; };
        EXPECT_FALSE(core::smartCropImage(path, original, target, false, nullptr, none, &decoded));
        ASSERT_TRUE(decoded);
        ASSERT_GE(decoded->width(), target.width);
        ASSERT_GE(decoded->height(), target.height);
        const auto fallback = image::resized(*decoded, target);
        // Measured against the whole file resampled: as close to it as the plain scaling's picture is
        // (each may come from a reduced decode of its own).
        const auto whole = image::resized(*image::loadImage(path), target);
        const auto own = image::resized(*image::loadImage(path, target), target);
        ASSERT_TRUE(whole && own && fallback);
        const auto away = [&](const image::Image& picture) {
            return (vips::VImage(image::toVips(picture)).cast(VIPS_FORMAT_FLOAT) - image::toVips(*whole))
                .abs()
                .avg();
        };
        EXPECT_LT(away(*fallback), away(*own) + 0.25);
    }
}

TEST(FramedFaceCrop, ACloseFaceWiderThanTheWindowIsCentredInItAndOneThatFitsIsHeldWhole) {
    if (!vision::FaceRequest::defaultCascadePath())
        GTEST_SKIP() << "the face model of opencv-data is not installed";
    const std::filesystem::path data(VORTA_TEST_DATA_DIR);
    const std::vector<std::pair<const char*, cg::Rect>> sitters = {{"astronaut.jpg", {176, 65, 96, 96}},
                                                                   {"grace_hopper.jpg", {155, 108, 218, 218}},
                                                                   {"bearded_man.jpg", {113, 211, 375, 375}}};
    const std::vector<cg::Size> targets = {{400, 600}, {1080, 1920}, {800, 1000}, {500, 500}, {1920, 1080}};
    const cg::Size original{3000, 2000};
    testsupport::TempDir dir;
    int wider = 0, fits = 0;
    for (const auto& [file, sitterFace] : sitters) {
        const auto portrait = image::loadImage(data / file);
        ASSERT_TRUE(portrait) << file;
        for (const double share : {0.55, 0.65, 0.75, 0.85, 0.90, 0.95})
            for (const bool nearEdge : {false, true}) {
                const std::string name = std::string(file) + " " + std::to_string(int(share * 100)) + " % " +
                                         (nearEdge ? "near the left edge" : "centred");
                SCOPED_TRACE(name);
                const cg::Rect face = closePhoto(*portrait, sitterFace, share, nearEdge, dir, name + ".jpg");
                // One job's crops of the photo share one analysis.
                std::vector<std::vector<cg::Rect>> found;
                const core::FaceFinder finder = recordingFinder(found, original);
                core::CropAnalyses analyses;
                for (const bool fill : {false, true})
                    for (const cg::Size target : targets) {
                        SCOPED_TRACE(std::to_string(int(target.width)) + " x " +
                                     std::to_string(int(target.height)) + (fill ? ", crop to fill" : ""));
                        croptest::RecordingSender sender;
                        ASSERT_TRUE(core::smartCropImage(dir / (name + ".jpg"), original, target, fill,
                                                         &sender, finder, nullptr, &analyses));
                        ASSERT_EQ(sender.frames.size(), 1u);
                        const cg::Rect window = windowCut(sender, original);
                        std::string shown =
                            "window " + rectText(window) + "; face " + rectText(face) + "; found";
                        for (const cg::Rect& f : found.front()) shown += " " + rectText(f);
                        // A detector's box of the face is not the face to the pixel: a twentieth either way.
                        const double slack = face.width() / 20;
                        const bool wide = face.width() > window.width();
                        (wide ? wider : fits) += 1;
                        EXPECT_TRUE(wide ? std::abs(window.midX() - face.midX()) <= slack
                                         : window.minX() - slack <= face.minX() &&
                                               face.maxX() <= window.maxX() + slack)
                            << (wide ? "not centred: " : "cut across: ") << shown;
                        EXPECT_TRUE(face.height() > window.height()
                                        ? window.minY() >= face.minY() - slack &&
                                              window.maxY() <= face.maxY() + slack
                                        : window.minY() - slack <= face.minY() &&
                                              face.maxY() <= window.maxY() + slack)
                            << "off the face's height: " << shown;
                    }
            }
    }
    // Both kinds are well represented: the tall targets are narrower than most of these faces.
    EXPECT_GE(wider, 40);
    EXPECT_GE(fits, 100);
}

TEST(FramedFaceCrop, WhereTheFacesCannotAllBeHeldTheLargestIsAndACloudIsNoFace) {
    if (!vision::FaceRequest::defaultCascadePath())
        GTEST_SKIP() << "the face model of opencv-data is not installed";
    const std::filesystem::path data(VORTA_TEST_DATA_DIR);
    struct Sitter {
        const char* file;
        cg::Rect face;  // as a detector boxes it, in the portrait's own pixels
        double side;    // the face's width in the photo
        cg::Point at;   // its top-left corner there
    };
    struct Scene {
        const char* name;
        cg::Size size;
        std::vector<Sitter> sitters;  // the largest first
    };
    const std::vector<Scene> scenes = {
        // A person in front of the clouds, one of which the cascades take for a face higher up, left of
        // the tree.
        {"a person under clouds",
         {2107, 1657},
         {{"smiling_man.jpg", {112, 95, 183, 183}, 365, {1122, 1029}}}},
        {"a close face below, a small one up left",
         {3600, 2400},
         {{"bearded_man.jpg", {113, 211, 375, 375}, 420, {2800, 1500}},
          {"astronaut.jpg", {176, 65, 96, 96}, 150, {500, 400}}}},
        {"a face below left, a small one up right",
         {3600, 2400},
         {{"grace_hopper.jpg", {155, 108, 218, 218}, 360, {400, 1550}},
          {"smiling_man.jpg", {112, 95, 183, 183}, 160, {2900, 350}}}},
    };
    std::vector<Target> targets;
    for (const bool fill : {false, true})
        for (const cg::Size size : {cg::Size{400, 600}, {1080, 1920}, {500, 500}, {900, 400}})
            targets.push_back({size, fill});
    testsupport::TempDir dir;
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        // A real background: soft clouds in a blue sky over a field with a tree, enlarged.
        image::Bitmap photo =
            image::bitmap(*image::resized(*image::loadImage(data / "tree_under_clouds.jpg"), scene.size));
        std::vector<cg::Rect> truths;
        for (const Sitter& s : scene.sitters)
            truths.push_back(standing(photo, *image::loadImage(data / s.file), s.face, s.side, s.at));
        const auto bytes = image::encodedData(*image::imageFromBitmap(photo), image::FileType::JPEG, 0.92);
        const auto path =
            dir.write(std::string(scene.name) + ".jpg", std::string(bytes->begin(), bytes->end()));
        cropsHoldTheFaces(path, scene.size, truths, targets);
    }
}
