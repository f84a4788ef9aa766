#include "Core/SourceURLInfo.h"

#include <gtest/gtest.h>

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

TEST(SourceURLInfo, AnUnreadableFileKeepsItsSizeAndDateFields) {
    testsupport::TempDir dir;
    SourceURLInfo record;
    record.fillFileDetails(dir / "missing.jpg");
    EXPECT_EQ(record.strFullPath, (dir / "missing.jpg").string());
    EXPECT_EQ(record.url, dir / "missing.jpg");
    EXPECT_FALSE(record.bookmarkData);
    EXPECT_EQ(record.fileSize, "");
    EXPECT_EQ(record.creationDate, "");
    EXPECT_EQ(record.modifiedDate, "");
    EXPECT_EQ(record.fileSizeValue, 0u);
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
