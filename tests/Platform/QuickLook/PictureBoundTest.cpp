#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>
#include <vips/vips8>

#include "AllocationWatch.h"
#include "Core/Records/LazyThumbnail.h"
#include "Platform/AppKit/FileThumbnails.h"
#include "Platform/AppKit/ImageConversion.h"
#include "Platform/QuickLook/PreviewPanel.h"
#include "Support/SyntheticPhoto.h"
#include "Support/TempDir.h"
#include "Support/UiTestFixture.h"

namespace {

// Far more than a picture for the eye needs, far less than decoding a giant image takes.
constexpr std::size_t kLargeRequest = 64 * 1024 * 1024;

// Shows one file in the shared preview window.
class OneFile final : public quicklook::PreviewPanelDataSource, public quicklook::PreviewPanelController {
  public:
    explicit OneFile(std::string path) : path_(std::move(path)) {}
    int numberOfPreviewItems(quicklook::PreviewPanel&) override { return 1; }
    std::optional<std::string> previewItemAt(quicklook::PreviewPanel&, int) override { return path_; }
    void beginPreviewPanelControl(quicklook::PreviewPanel& panel) override { panel.setDataSource(this); }
    void endPreviewPanelControl(quicklook::PreviewPanel& panel) override { panel.setDataSource(nullptr); }

  private:
    std::string path_;
};

class PictureBoundTest : public testsupport::UiTest {
  protected:
    // The picture the preview window shows for `path` once it has stopped loading.
    QImage previewPicture(const std::string& path) {
        OneFile source(path);
        auto& panel = quicklook::PreviewPanel::shared();
        panel.makeKeyAndOrderFront(&source);
        EXPECT_TRUE(mainQueue->runUntil([&] { return !panel.isLoading(); }));
        QImage shown = panel.currentImage();
        panel.orderOut();
        drain();
        return shown;
    }
};

TEST_F(PictureBoundTest, AJpegDeclaringGiantSidesGetsNoPictureAnywhereAndNoLargeAllocation) {
    if (!testsupport::AllocationWatch::available()) GTEST_SKIP() << "the sanitizer owns the allocator";
    testsupport::TempDir dir;
    const auto photo = dir / "photo.jpg";
    testsupport::syntheticPhoto(64, 48).write_to_file((photo.string() + "[interlace,strip]").c_str());
    // The same few hundred bytes with a frame header declaring 40000 x 40000: a progressive decoder
    // keeps every coefficient of the frame, gigabytes, however small the picture it is asked for.
    std::string jpeg = testsupport::TempDir::read(photo);
    const std::size_t frame = jpeg.find("\xff\xc2");
    ASSERT_NE(frame, std::string::npos);
    jpeg.replace(frame + 5, 4, "\x9c\x40\x9c\x40");
    const auto giant = dir.write("giant.jpg", jpeg);

    struct Path {
        const char* name;
        int longSide;  // of the 64 x 48 photo's picture
        std::function<QImage(const std::string&)> picture;
    };
    const std::vector<Path> paths{
        {"the open panel's thumbnail", 48,
         [](const std::string& file) {
             return appkit::fileThumbnail(QString::fromStdString(file), {48, 48});
         }},
        {"an image list's thumbnail", 64,
         [](const std::string& file) {
             const auto made = core::LazyThumbnail(file, 200).image();
             return made ? appkit::toQImage(*made) : QImage();
         }},
        {"the preview window's picture", 64,
         [this](const std::string& file) { return previewPicture(file); }},
    };
    for (const auto& path : paths) {
        SCOPED_TRACE(path.name);
        const testsupport::AllocationWatch watch(kLargeRequest);
        const QImage small = path.picture(photo.string());
        EXPECT_FALSE(small.isNull()) << "a small photo shows";
        EXPECT_EQ(std::max(small.width(), small.height()), path.longSide);
        EXPECT_TRUE(path.picture(giant.string()).isNull()) << "the giant shows a picture";
        EXPECT_EQ(watch.largestRefused(), 0u) << "a block this large was asked for";
    }
}

}  // namespace
