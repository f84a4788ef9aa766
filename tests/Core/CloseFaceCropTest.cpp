#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "Core/Crop/CropAnalyses.h"
#include "Core/Crop/FacePlacement.h"
#include "Core/Crop/SmartCropStep.h"
#include "CropTestImages.h"
#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Vision/FaceRequest.h"
#include "Support/TempDir.h"

namespace {

// A real portrait and where its face is, as a detector boxes it in the file's own pixels.
struct Sitter {
    const char* file;
    cg::Rect face;
};

// A 3000 x 2000 photo cut around the face so that it fills `share` of the photo's height, centred across or
// near the left edge (what lies beyond the portrait is black), written as a JPEG; the face's box in the
// photo.
cg::Rect closePhoto(const image::Image& portrait, const Sitter& s, double share, bool nearEdge,
                    const testsupport::TempDir& dir, const std::string& fileName) {
    const cg::Size photo{3000, 2000};
    const double h = s.face.height() / share, w = h * photo.width / photo.height;
    const double left = nearEdge ? s.face.minX() - 0.03 * w : s.face.midX() - w / 2;
    const double top = s.face.midY() - h / 2;
    const int x = int(std::lround(left)), y = int(std::lround(top));
    const vips::VImage part = image::toVips(portrait).embed(-x, -y, int(std::lround(w)), int(std::lround(h)));
    const double k = photo.width / part.width();
    const auto bytes = image::encodedData(
        image::fromVips(part.resize(k, vips::VImage::option()->set("vscale", photo.height / part.height()))),
        image::FileType::JPEG, 0.9);
    dir.write(fileName, std::string(bytes->begin(), bytes->end()));
    return cg::Rect((s.face.minX() - x) * k, (s.face.minY() - y) * photo.height / part.height(),
                    s.face.width() * k, s.face.height() * photo.height / part.height());
}

}  // namespace

TEST(CloseFaceCrop, AFaceWiderThanTheWindowIsCentredInItAndOneThatFitsIsHeldWhole) {
    if (!vision::FaceRequest::defaultCascadePath())
        GTEST_SKIP() << "the face model of opencv-data is not installed";
    const std::filesystem::path data(VORTA_TEST_DATA_DIR);
    const std::vector<Sitter> sitters = {{"astronaut.jpg", {176, 65, 96, 96}},
                                         {"grace_hopper.jpg", {155, 108, 218, 218}},
                                         {"bearded_man.jpg", {113, 211, 375, 375}}};
    const std::vector<double> shares = {0.55, 0.65, 0.75, 0.85, 0.90, 0.95};
    const std::vector<cg::Size> targets = {{400, 600}, {1080, 1920}, {800, 1000}, {500, 500}, {1920, 1080}};
    const cg::Size original{3000, 2000};
    testsupport::TempDir dir;
    int wider = 0, fits = 0;
    for (const Sitter& s : sitters) {
        const auto portrait = image::loadImage(data / s.file);
        ASSERT_TRUE(portrait) << s.file;
        for (const double share : shares)
            for (const bool nearEdge : {false, true}) {
                const std::string name = std::string(s.file) + " " + std::to_string(int(share * 100)) +
                                         " % " + (nearEdge ? "near the left edge" : "centred");
                SCOPED_TRACE(name);
                const auto path = dir / (name + ".jpg");
                const cg::Rect face = closePhoto(*portrait, s, share, nearEdge, dir, name + ".jpg");
                // One job's crops of the photo share one analysis; the faces it found, for the messages.
                std::string found;
                const core::FaceFinder finder = [&](const image::Image& copy) {
                    const auto faces = core::visionFaceFinder()(copy);
                    for (const auto& f : faces.results) {
                        const cg::Rect b = core::faceBox(f.boundingBox, original.width, original.height);
                        found += " " + std::to_string(int(b.minX())) + "," + std::to_string(int(b.minY())) +
                                 " " + std::to_string(int(b.width()));
                    }
                    return faces;
                };
                core::CropAnalyses analyses;
                for (const bool fill : {false, true})
                    for (const cg::Size target : targets) {
                        SCOPED_TRACE(std::to_string(int(target.width)) + " x " +
                                     std::to_string(int(target.height)) + (fill ? ", crop to fill" : ""));
                        croptest::RecordingSender sender;
                        const auto result = core::smartCropImage(path, original, target, fill, &sender,
                                                                 finder, nullptr, &analyses);
                        ASSERT_TRUE(result) << "faces found:" << found;
                        ASSERT_EQ(sender.frames.size(), 1u);
                        // The window cut, in the photo's pixels.
                        const double q = original.width / sender.shownSizes.front().width;
                        const cg::Rect f = sender.frames.front();
                        const cg::Rect window(f.minX() * q, f.minY() * q, f.width() * q, f.height() * q);
                        // A detector's box of the face is not the face to the pixel: a twentieth of it either
                        // way.
                        const double slack = face.width() / 20;
                        const auto shown = [&] {
                            return "window " + std::to_string(int(window.minX())) + "," +
                                   std::to_string(int(window.minY())) + " to " +
                                   std::to_string(int(window.maxX())) + "," +
                                   std::to_string(int(window.maxY())) + "; face " +
                                   std::to_string(int(face.minX())) + "," + std::to_string(int(face.minY())) +
                                   " to " + std::to_string(int(face.maxX())) + "," +
                                   std::to_string(int(face.maxY())) + "; faces found:" + found;
                        };
                        if (face.width() > window.width()) {
                            EXPECT_LE(std::abs(window.midX() - face.midX()), slack)
                                << "not centred: " << shown();
                            ++wider;
                        } else {
                            EXPECT_TRUE(window.minX() - slack <= face.minX() &&
                                        face.maxX() <= window.maxX() + slack)
                                << "cut across: " << shown();
                            ++fits;
                        }
                        if (face.height() > window.height()) {
                            EXPECT_TRUE(window.minY() >= face.minY() - slack &&
                                        window.maxY() <= face.maxY() + slack)
                                << "beside the face: " << shown();
                        } else {
                            EXPECT_TRUE(window.minY() - slack <= face.minY() &&
                                        face.maxY() <= window.maxY() + slack)
                                << "cut down: " << shown();
                        }
                    }
            }
    }
    // Both kinds are well represented: the tall targets are narrower than most of these faces.
    EXPECT_GE(wider, 40);
    EXPECT_GE(fits, 100);
}
