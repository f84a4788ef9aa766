// The image views of the scenes: where a gravity puts a picture, the covering copies and when they
// are made again, pictures by resource name, by file address and by a web page's preview image, and
// template images.

#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>
#include <fstream>

#include "Core/TestImages.h"
#include "Platform/AppKit/NamedImage.h"
#include "Screens/Activity/IKImage.h"
#include "Screens/Activity/ImageView.h"
#include "Screens/Activity/ViewImage.h"
#include "Screens/Activity/ViewImageLive.h"
#include "Support/FileAddress.h"
#include "Support/TempDir.h"
#include "Support/UiTestFixture.h"

namespace {

using screens::ContentsGravity;

QImage filled(int w, int h, QColor colour = Qt::red) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

TEST(ContentsGravityTest, EachGravityPlacesThePictureWhereTheLayerWould) {
    const QRectF bounds(0, 0, 200, 200);
    const QSizeF picture(400, 300);
    const std::pair<const char*, QRectF> cases[] = {
        {"resizeAspectFill", QRectF(-33.333, 0, 266.667, 200)},
        {"resizeAspect", QRectF(0, 25, 200, 150)},
        {"resize", QRectF(0, 0, 200, 200)},
        {"center", QRectF(-100, -50, 400, 300)},
        {"topLeft", QRectF(0, 0, 400, 300)},
        {"bottomRight", QRectF(-200, -100, 400, 300)},
        {"top", QRectF(-100, 0, 400, 300)},
        {"right", QRectF(-200, -50, 400, 300)},
    };
    for (const auto& [name, expected] : cases) {
        SCOPED_TRACE(name);
        const auto gravity = screens::contentsGravityNamed(name);
        ASSERT_TRUE(gravity);
        const QRectF got = screens::contentsRect(picture, bounds, *gravity);
        EXPECT_NEAR(got.x(), expected.x(), 0.01);
        EXPECT_NEAR(got.y(), expected.y(), 0.01);
        EXPECT_NEAR(got.width(), expected.width(), 0.01);
        EXPECT_NEAR(got.height(), expected.height(), 0.01);
    }
    EXPECT_FALSE(screens::contentsGravityNamed("Center")) << "names are exact";
    EXPECT_TRUE(screens::contentsRect(QSizeF(0, 300), bounds, ContentsGravity::Center).isEmpty());
}

class ImageViewsTest : public testsupport::UiTest {
  protected:
    testsupport::TempDir dir;
};

TEST_F(ImageViewsTest, CoveringCopiesAreFlooredMadeOnceAfterAResizeAndSafeForEmptyPictures) {
    screens::ViewImage still;
    still.resize(200, 200);
    still.setImageFillResized(filled(400, 300));
    EXPECT_EQ(still.contents().size(), QSize(266, 200));
    still.resize(300, 300);
    EXPECT_EQ(still.contents().size(), QSize(266, 200)) << "this view does not follow resizes";
    still.setImageFillResized(QImage());
    EXPECT_TRUE(still.contents().isNull());
    still.setImageFillResized(filled(400, 300));
    still.resize(0, 0);
    still.setImageFillResized(filled(400, 300));
    EXPECT_TRUE(still.contents().isNull()) << "an empty view gets no copy";

    screens::ViewImageLive live;
    live.resize(200, 200);
    live.show();
    QTest::qWait(screens::ViewImageLive::kResizeEndMilliseconds * 2);
    live.setImageFillResized(filled(400, 300));
    const int before = live.renderCount();
    EXPECT_EQ(live.contents().size(), QSize(266, 200));
    for (int side = 210; side <= 300; side += 10) live.resize(side, side);
    EXPECT_EQ(live.renderCount(), before) << "not while the resize goes on";
    QTest::qWait(screens::ViewImageLive::kResizeEndMilliseconds * 3);
    EXPECT_EQ(live.renderCount(), before + 1) << "once, when it ends";
    EXPECT_EQ(live.contents().size(), QSize(400, 300));
}

TEST_F(ImageViewsTest, ResourcePicturesTakeTheirGravityAndIKImageShowsItsOwnImageUnderTheFill) {
    const QImage named = appkit::imageNamed("ColorLookup");
    ASSERT_FALSE(named.isNull());
    screens::ViewImage view;
    view.resize(120, 80);
    const std::tuple<const char*, ContentsGravity, bool> cases[] = {
        {"ColorLookup", ContentsGravity::ResizeAspectFill, true},
        {"ColorLookup|center", ContentsGravity::Center, true},
        {"ColorLookup|bottomLeft|x", ContentsGravity::BottomLeft, true},
        {"NoSuchPicture", ContentsGravity::ResizeAspectFill, false},
    };
    for (const auto& [value, gravity, shown] : cases) {
        SCOPED_TRACE(value);
        view.setImagePos(std::string(value));
        EXPECT_EQ(view.contentsGravity(), gravity);
        EXPECT_EQ(!view.contents().isNull(), shown);
        if (shown) {
            EXPECT_EQ(view.contents().size(), named.size());
        }
    }

    screens::IKImage ik;
    ik.setImageSet(filled(10, 10, Qt::blue));
    EXPECT_EQ(ik.viewImage().pixelColor(0, 0), QColor(Qt::blue));
    ik.setImageSet(std::nullopt);
    EXPECT_EQ(ik.viewImage().pixelColor(0, 0), QColor(Qt::blue)) << "an absent image changes nothing";
    ik.setImageFill(filled(30, 20, Qt::green));
    EXPECT_EQ(ik.contents().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(ik.contentsGravity(), ContentsGravity::ResizeAspectFill);
}

TEST_F(ImageViewsTest, ATemplateTakesTheTextColourOnlyForTheImageItHasWhenSet) {
    screens::ImageView view;
    QPalette palette = view.palette();
    palette.setColor(QPalette::WindowText, QColor(10, 200, 30));
    view.setPalette(palette);
    view.setTemplate(true);
    EXPECT_TRUE(view.isTemplate());
    view.setImage(filled(8, 8));
    EXPECT_FALSE(view.imageIsTemplate()) << "set before the image: nothing changes";
    view.resize(8, 8);
    view.setTemplate(true);
    EXPECT_TRUE(view.imageIsTemplate());
    QImage shot(8, 8, QImage::Format_ARGB32_Premultiplied);
    shot.fill(Qt::transparent);
    view.render(&shot);
    EXPECT_EQ(shot.pixelColor(4, 4), QColor(10, 200, 30)) << "drawn in the text colour";
    view.setImage(filled(8, 8));
    EXPECT_FALSE(view.imageIsTemplate()) << "a later image is not changed";
}

TEST_F(ImageViewsTest, FileAddressesAndPagePreviewsLoadOffTheMainThreadAndTheLatestValueWins) {
    const auto photo = dir / "photo.jpg";
    testsupport::writeTestImage(photo, 300, 200, 1);
    const auto other = dir / "other.png";
    testsupport::writeTestImage(other, 90, 60, 2);
    screens::ViewImage view;
    view.resize(100, 100);

    view.setImageUrl(testsupport::fileAddress(photo) + "|center");
    drain();
    EXPECT_TRUE(view.contents().isNull()) << "read 0.1 s later";
    mainQueue->advance(0.1);
    ASSERT_TRUE(mainQueue->runUntil([&] { return !view.contents().isNull(); }));
    EXPECT_EQ(view.contents().size(), QSize(300, 200));
    EXPECT_EQ(view.contentsGravity(), ContentsGravity::Center);

    // An unreadable address changes nothing; a value replaced within 0.1 s is never shown.
    view.setImageUrl(testsupport::fileAddress(dir / "missing.jpg"));
    mainQueue->advance(0.2);
    mainQueue->runUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(view.contents().size(), QSize(300, 200));
    view.setImageUrl("https://example.com/a.jpg");
    view.setImageUrl(other.string());
    mainQueue->advance(0.1);
    ASSERT_TRUE(mainQueue->runUntil([&] { return view.contents().size() == QSize(90, 60); }));

    const auto page = dir / "site" / "index.html";
    std::filesystem::create_directories(page.parent_path());
    std::ofstream(page) << "<html><head><meta property=\"og:image\" content=\"../photo.jpg\"></head></html>";
    view.setImageWeb(testsupport::fileAddress(page));
    ASSERT_TRUE(mainQueue->runUntil([&] { return view.contents().size() == QSize(300, 200); }));
}

}  // namespace
