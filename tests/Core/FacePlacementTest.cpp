#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "Core/Crop/CropArea.h"
#include "Core/Crop/FacePlacement.h"

using namespace core;

namespace {

// The window as the rules place it, then kept inside the working image: it must come out unmoved when
// the rules already placed it inside, and always exactly the target's size.
cg::Rect placed(const std::vector<cg::Rect>& faces, const FaceCropGeometry& g) {
    const auto window = faceCropWindow(faces, g);
    EXPECT_TRUE(window.has_value());
    const auto inside = windowInsideImage(window.value_or(cg::Rect()), g.W, g.H);
    EXPECT_TRUE(inside.has_value());
    if (!inside) return {};
    EXPECT_EQ(inside->size, (cg::Size{g.tw, g.th}));
    return *inside;
}

// A 3000 × 1000 photo under a 500 × 500 target covers it at 1500 × 500.
FaceCropGeometry wideStrip() {
    return {1500, 500, 500, 500, 1500, 500, false};
}

}  // namespace

TEST(FacePlacement, FillSizeCoversTheTargetInTheImageProportions) {
    EXPECT_EQ(faceCropFillSize({1000, 2000}, {300, 300}, false), (cg::Size{300, 600}));
    EXPECT_EQ(faceCropFillSize({3000, 1000}, {500, 500}, false), (cg::Size{1500, 500}));
    EXPECT_EQ(faceCropFillSize({1000, 2000}, {400, 600}, false), (cg::Size{400, 800}));
    EXPECT_EQ(faceCropFillSize({2000, 1000}, {400, 100}, false), (cg::Size{400, 200}));
    EXPECT_EQ(faceCropFillSize({2000, 1000}, {400, 100}, true), (cg::Size{400, 100}));
    // The detector's box has its origin at the bottom left; the rectangle's y is its lower edge from the top.
    EXPECT_EQ(faceRectangle(cg::Rect(0.25, 0.5, 0.1, 0.2), 400, 800), cg::Rect(100, 400, 40, 160));
    EXPECT_FALSE(faceCropWindow({}, wideStrip()).has_value());
}

TEST(FacePlacement, OneFaceWiderThanTheTargetIsCentredHorizontally) {
    // Crop-to-fill: the 1000 × 800 image is used as it is, the window is the 200 × 200 target.
    const FaceCropGeometry g{1000, 800, 200, 200, 200, 200, true};
    const cg::Rect face(300, 500, 300, 300);
    const cg::Rect window = placed({face}, g);
    EXPECT_EQ(window, cg::Rect(350, 200, 200, 200));
    EXPECT_EQ(window.midX(), face.midX());
}

TEST(FacePlacement, OneFaceInAPortraitKeepsHeadroomAndNearTheTopStaysInside) {
    // 1000 × 2000 under 400 × 600 works at 400 × 800. The face spans rows 300 to 400.
    const FaceCropGeometry g{400, 800, 400, 600, 400, 800, false};
    EXPECT_EQ(placed({cg::Rect(150, 400, 100, 100)}, g), cg::Rect(0, 200, 400, 600));

    // Near the top the rules give a window reaching 20 pixels above the image; it is moved down to the
    // edge, keeps the target size and still holds the face.
    const cg::Rect nearTop(150, 120, 100, 100);
    EXPECT_EQ(faceCropWindow({nearTop}, g), cg::Rect(0, -20, 400, 600));
    const cg::Rect window = placed({nearTop}, g);
    EXPECT_EQ(window, cg::Rect(0, 0, 400, 600));
    EXPECT_LE(window.minY(), nearTop.minY() - nearTop.height());
}

TEST(FacePlacement, TwoFacesFartherApartThanTheTarget) {
    const FaceCropGeometry g = wideStrip();
    // Equal widths: both overhangs are equal, so the window is centred on the right face.
    const cg::Rect left(100, 300, 100, 100), right(1000, 300, 100, 100);
    const cg::Rect equal = placed({left, right}, g);
    EXPECT_EQ(equal, cg::Rect(800, 0, 500, 500));
    EXPECT_EQ(equal.midX(), right.midX());

    // The left face narrower: centred on the right one.
    const cg::Rect wideRight(900, 350, 200, 200);
    const cg::Rect onRight = placed({left, wideRight}, g);
    EXPECT_EQ(onRight, cg::Rect(750, 0, 500, 500));
    EXPECT_EQ(onRight.midX(), wideRight.midX());

    // The left face wider: centred on the left one.
    const cg::Rect wideLeft(300, 300, 200, 200), narrowRight(1200, 300, 100, 100);
    const cg::Rect onLeft = placed({wideLeft, narrowRight}, g);
    EXPECT_EQ(onLeft, cg::Rect(150, 0, 500, 500));
    EXPECT_EQ(onLeft.midX(), wideLeft.midX());
}

TEST(FacePlacement, ThreeFacesKeepTheMiddleWithTheNearerSide) {
    const FaceCropGeometry g = wideStrip();
    const cg::Rect left(100, 300, 100, 100), right(1200, 310, 100, 100);

    // The middle face nearer the left one: the window takes the left and middle faces.
    const cg::Rect middleLeft(400, 320, 80, 80);
    const cg::Rect withLeft = placed({left, middleLeft, right}, g);
    EXPECT_EQ(withLeft, cg::Rect(40, 0, 500, 500));
    EXPECT_TRUE(withLeft.contains(cg::Rect(100, 200, 100, 100)));
    EXPECT_TRUE(withLeft.contains(cg::Rect(400, 240, 80, 80)));

    // The middle face nearer the right one: the middle and right faces.
    const cg::Rect middleRight(1000, 320, 80, 80);
    const cg::Rect withRight = placed({left, middleRight, right}, g);
    EXPECT_EQ(withRight, cg::Rect(900, 0, 500, 500));
    EXPECT_TRUE(withRight.contains(cg::Rect(1200, 210, 100, 100)));
}

TEST(FacePlacement, AWindowThatCannotFitIsRefusedAndFractionsAreWholePixels) {
    EXPECT_FALSE(windowInsideImage(cg::Rect(0, 0, 500, 500), 400, 800).has_value());
    EXPECT_FALSE(windowInsideImage(cg::Rect(0, 0, 0.5, 10), 400, 800).has_value());
    // A target of 50.5 × 49.5 gives a whole-pixel 50 × 49 window, moved back inside from the right.
    EXPECT_EQ(windowInsideImage(cg::Rect(380.4, 10.6, 50.5, 49.5), 400, 300), cg::Rect(350, 11, 50, 49));
    // An image size a rounding error short of the target still takes it.
    EXPECT_EQ(windowInsideImage(cg::Rect(0, 0, 1280, 720), 1279.9999999, 720), cg::Rect(0, 0, 1280, 720));
}

TEST(FacePlacement, EveryFaceAwareWindowHoldsTheFacesOrElseTheLargestAndTheirChinsWhereverItsShapeCan) {
    // Random photos, targets of three shapes, one or two face boxes anywhere in them: the face crop and the
    // saliency crop around objects that touch the first face, each with and without crop to fill. A
    // detector's box ends above the chin; a quarter of its height below it shows the chin.
    struct Shape {
        double width, height;
    };
    const std::vector<Shape> shapes = {{900, 400}, {400, 600}, {500, 500}};
    std::mt19937 random(20240);
    const auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    const auto withChin = [](const cg::Rect& box, double H) {
        return cg::Rect(box.minX(), box.minY(), box.width(),
                        std::min(H, box.maxY() + box.height() / 4) - box.minY());
    };
    int chinsAtStake = 0, largestAtStake = 0;
    const auto byArea = [](const cg::Rect& p, const cg::Rect& q) {
        return p.width() * p.height() < q.width() * q.height();
    };
    for (int i = 0; i < 3000; ++i) {
        const cg::Size image{std::round(uniform(300, 3000)), std::round(uniform(300, 3000))};
        const Shape& shape = shapes[i % shapes.size()];
        const double most = std::min(image.width / shape.width, image.height / shape.height);
        const double k = uniform(0.1, 1) * most;
        const cg::Size target{std::max(1.0, std::round(shape.width * k)),
                              std::max(1.0, std::round(shape.height * k))};
        // The largest window of the target's shape inside the photo.
        const double fit = std::min(image.width / target.width, image.height / target.height);
        const cg::Size largest{target.width * fit, target.height * fit};
        const auto randomFace = [&] {
            const double side = uniform(0.03, 0.6) * std::min(image.width, image.height);
            const double w = side, h = std::min(image.height, side * uniform(0.9, 1.25));
            return cg::Rect(uniform(0, image.width - w), uniform(0, image.height - h), w, h);
        };
        std::vector<cg::Rect> faces = {randomFace()};
        if (i % 3 == 0) faces.push_back(randomFace());
        const cg::Rect& face = faces.front();
        // Objects around a point of the first face.
        const cg::Point inFace{uniform(face.minX(), face.maxX()), uniform(face.minY(), face.maxY())};
        const double left = uniform(0, image.width / 2), up = uniform(0, image.height / 2);
        const cg::Rect objects = cg::Rect(inFace.x - left, inFace.y - up, left + uniform(1, image.width / 2),
                                          up + uniform(1, image.height / 2))
                                     .intersection(cg::Rect(0, 0, image.width, image.height));

        struct Crop {
            const char* name;
            std::optional<cg::Rect> area;
            std::vector<cg::Rect> faces;  // the faces it must frame
        };
        const std::vector<Crop> crops = {
            {"face crop", faceCropArea(faces, image, target, false), faces},
            {"face crop to fill", faceCropArea(faces, image, target, true), faces},
            {"saliency crop", salientCropArea(objects, {face}, image, target, false), {face}},
            {"saliency crop to fill", salientCropArea(objects, {face}, image, target, true), {face}},
        };
        for (const Crop& crop : crops) {
            SCOPED_TRACE(std::string(crop.name) + " #" + std::to_string(i) + " of " +
                         std::to_string(image.width) + " x " + std::to_string(image.height) + " at " +
                         std::to_string(target.width) + " x " + std::to_string(target.height));
            ASSERT_TRUE(crop.area);
            const cg::Rect a = *crop.area;
            // One output pixel, in the photo's pixels: the working picture is a whole number of pixels.
            const double pixel = a.width() / target.width + 1e-6;
            const auto holds = [&](const cg::Rect& r) { return a.insetBy(-pixel, -pixel).contains(r); };
            const auto fitsIn = [&](const cg::Rect& r, cg::Size window) {
                return r.width() <= window.width + 1e-6 && r.height() <= window.height + 1e-6;
            };
            EXPECT_TRUE(cg::Rect(0, 0, image.width, image.height).insetBy(-pixel, -pixel).contains(a));
            EXPECT_NEAR(a.width() / a.height(), target.width / target.height, 0.01);
            cg::Rect all = crop.faces.front(), allWithChins = withChin(all, image.height);
            for (const cg::Rect& f : crop.faces) {
                all = all.unionWith(f);
                allWithChins = allWithChins.unionWith(withChin(f, image.height));
            }
            EXPECT_TRUE(!fitsIn(all, a.size) || holds(all))
                << a.minX() << "," << a.minY() << " " << a.width() << "x" << a.height();
            // Where they do not all fit, the largest face is kept whole with its chin wherever the window can
            // hold it: a smaller face higher up never pushes it out.
            const cg::Rect kept =
                withChin(*std::max_element(crop.faces.begin(), crop.faces.end(), byArea), image.height);
            largestAtStake += !fitsIn(all, a.size) && fitsIn(kept, a.size);
            EXPECT_TRUE(fitsIn(all, a.size) || !fitsIn(kept, a.size) || holds(kept))
                << a.minX() << "," << a.minY() << " " << a.width() << "x" << a.height() << "; largest face "
                << kept.minX() << "," << kept.minY() << " " << kept.width();
            if (fitsIn(allWithChins, largest)) {
                // The window reaches down to the chin, above the photo's lower edge: the chin decided it.
                chinsAtStake +=
                    a.maxY() <= allWithChins.maxY() + pixel && allWithChins.maxY() < image.height - pixel;
                EXPECT_TRUE(holds(allWithChins))
                    << "window rows " << a.minY() << " to " << a.maxY() << ", faces and chins "
                    << allWithChins.minY() << " to " << allWithChins.maxY();
            }
        }
    }
    // Hundreds of the windows end at a chin above the photo's lower edge: the chin decided where they are.
    EXPECT_GE(chinsAtStake, 300);
    EXPECT_GE(largestAtStake, 100);
}
