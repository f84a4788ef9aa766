#include "Core/Records/SourceURLInfo.h"

#include <gtest/gtest.h>
#include <algorithm>

#include <chrono>
#include <thread>

#include "GreyJpeg.h"
#include "Platform/Image/Image.h"
#include "Platform/Image/Thumbnail.h"

#include "Platform/Foundation/Bookmark.h"
#include "Platform/Foundation/Formatters.h"
#include "Support/TempDir.h"

namespace core {
namespace {

TEST(SourceURLInfo, ANewRecordIsEmptyWithItsOwnIdentity) {
    const SourceURLInfo a, b;
    EXPECT_NE(a.id, b.id);
    EXPECT_TRUE(a.strFullPath.empty() && a.strFileName.empty() && a.fileSize.empty() &&
                a.creationDate.empty());
    EXPECT_FALSE(a.url || a.bookmarkData || a.updatedUrl || a.bStatus);
    EXPECT_EQ(a.fileSizeValue, 0u);
    const SourceURLInfo copy = a;
    EXPECT_EQ(copy.id, a.id);
}

TEST(SourceURLInfo, FillsPathBookmarkSizeAndDatesFromTheFile) {
    foundation::setDefaultLocale("en_US");
    testsupport::TempDir dir;
    const auto file = dir.write("holiday photo.jpg", std::string(1500, 'x'));
    SourceURLInfo record;
    record.fillFileDetails(file);
    EXPECT_EQ(record.strFullPath, file.string());
    EXPECT_EQ(record.strFileName, "holiday photo.jpg");
    EXPECT_EQ(record.url, file);
    ASSERT_TRUE(record.bookmarkData);
    EXPECT_EQ(foundation::resolveBookmarkData(*record.bookmarkData), file);
    EXPECT_EQ(record.fileSizeValue, 1500u);
    EXPECT_EQ(record.fileSize, "2 KB");
    EXPECT_FALSE(record.creationDate.empty());
    EXPECT_FALSE(record.modifiedDate.empty());
}

double secondsFor(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(SourceURLInfo, FillingFromALargePhotoReadsTheHeaderOnly) {
#if defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "timings mean nothing under the thread sanitizer";
#endif
    testsupport::TempDir dir;
    const auto photo = dir.write("big.jpg", coretest::greyJpeg(6000, 4000));
    const auto warmUp = dir.write("small.jpg", coretest::greyJpeg(64, 48));
    SourceURLInfo small;
    small.fillFileDetails(warmUp);  // loads the libraries' data once

    // The quickest of a few fills, so that a busy machine does not decide the comparison.
    SourceURLInfo record;
    double fill = secondsFor([&] { record.fillFileDetails(photo); });
    for (int i = 0; i < 4; ++i) {
        SourceURLInfo again;
        fill = std::min(fill, secondsFor([&] { again.fillFileDetails(photo); }));
    }
    EXPECT_EQ(record.width, "6000");
    EXPECT_EQ(record.height, "4000");
    EXPECT_EQ(record.dimension, "6000 x 4000");
    ASSERT_TRUE(record.objThumbImage);
    EXPECT_FALSE(record.objThumbImage->isMade());

    // A full decode of the same file, for scale: filling must cost a small fraction of it.
    const double fullDecode = secondsFor([&] {
        const auto full = image::thumbnail(photo, cg::Size{6000, 6000});
        ASSERT_TRUE(full);
        EXPECT_EQ(full->width(), 6000);
    });
    EXPECT_LT(fill * 10, fullDecode) << "fill " << fill << " s, full decode " << fullDecode << " s";

    // The thumbnail is made once, on first use, and shared by copies of the record.
    const SourceURLInfo copy = record;
    std::optional<image::Image> fromWorker;
    std::thread worker([&] { fromWorker = copy.objThumbImage->image(); });
    const auto thumbnail = record.objThumbImage->image();
    worker.join();
    ASSERT_TRUE(thumbnail && fromWorker);
    EXPECT_TRUE(thumbnail->isSameObject(*fromWorker));
    EXPECT_EQ(thumbnail->width(), 200);
    EXPECT_EQ(thumbnail->height(), 133);
    EXPECT_TRUE(copy.objThumbImage->isMade());
}

TEST(SourceURLInfo, AFileThatIsNoImageGetsNoThumbnail) {
    testsupport::TempDir dir;
    SourceURLInfo record;
    record.fillFileDetails(dir.write("photo.jpg", coretest::greyJpeg(16, 16)));
    EXPECT_TRUE(record.objThumbImage);
    record.fillFileDetails(dir.write("notes.jpg", "just text"));
    EXPECT_FALSE(record.objThumbImage);
    EXPECT_EQ(record.dimension, "");
    EXPECT_EQ(record.fileSizeValue, 9u);
}

TEST(SourceURLInfo, AnUnreadableFileKeepsItsSizeAndDateFields) {
    testsupport::TempDir dir;
    SourceURLInfo record;
    record.fillFileDetails(dir / "missing.jpg");
    EXPECT_EQ(record.strFullPath, (dir / "missing.jpg").string());
    EXPECT_EQ(record.url, dir / "missing.jpg");
    EXPECT_FALSE(record.bookmarkData);
    EXPECT_FALSE(record.objThumbImage);
    EXPECT_EQ(record.fileSize, "");
    EXPECT_EQ(record.creationDate, "");
    EXPECT_EQ(record.modifiedDate, "");
    EXPECT_EQ(record.fileSizeValue, 0u);
}

TEST(SourceURLInfo, ARefillFromAnUnreadableFileKeepsTheSizeAndDatesItHad) {
    foundation::setDefaultLocale("en_US");
    testsupport::TempDir dir;
    const auto file = dir.write("photo.jpg", coretest::greyJpeg(16, 16));
    SourceURLInfo record;
    record.fillFileDetails(file);
    ASSERT_GT(record.fileSizeValue, 0u);
    const SourceURLInfo filled = record;
    ASSERT_FALSE(filled.fileSize.empty() || filled.creationDate.empty() || filled.modifiedDate.empty());

    std::filesystem::remove(file);
    record.fillFileDetails(file);
    EXPECT_FALSE(record.objThumbImage) << "the thumbnail follows the file";
    EXPECT_EQ(record.fileSizeValue, filled.fileSizeValue);
    EXPECT_EQ(record.fileSize, filled.fileSize);
    EXPECT_EQ(record.creationDate, filled.creationDate);
    EXPECT_EQ(record.modifiedDate, filled.modifiedDate);
}

TEST(SourceURLInfo, RenamedCopyNumbersTheBaseNameAndKeepsTheExtension) {
    SourceURLInfo record;
    record.strFileName = "IMG_0001.HEIC";
    const SourceURLInfo copy = record.renamedCopy("trip", 3);
    EXPECT_EQ(copy.strFileName, "trip-3.HEIC");
    EXPECT_EQ(copy.id, record.id);
    EXPECT_EQ(record.strFileName, "IMG_0001.HEIC");

    record.strFileName = "README";
    EXPECT_EQ(record.renamedCopy("trip", 3).strFileName, "trip-3.");
    record.strFileName = "a.jpg";
    EXPECT_EQ(record.renamedCopy("x/../y", 1).strFileName, "x_.._y-1.jpg");
}

}  // namespace
}  // namespace core
