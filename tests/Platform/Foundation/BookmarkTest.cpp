#include "Platform/Foundation/Bookmark.h"

#include <gtest/gtest.h>

#include "Support/TempDir.h"

namespace foundation {
namespace {

TEST(Bookmark, ResolvesToTheItemWhileItExists) {
    testsupport::TempDir dir;
    const auto file = dir.write("photo one.jpg", "x");
    const auto data = bookmarkData(file);
    ASSERT_TRUE(data);
    EXPECT_EQ(resolveBookmarkData(*data), file);

    const auto folderData = bookmarkData(dir.path());
    ASSERT_TRUE(folderData);
    EXPECT_EQ(resolveBookmarkData(*folderData), dir.path());

    std::filesystem::remove(file);
    EXPECT_FALSE(resolveBookmarkData(*data));
    EXPECT_FALSE(bookmarkData(file));
}

TEST(Bookmark, RejectsDataThatIsNoBookmark) {
    EXPECT_FALSE(resolveBookmarkData({}));
    EXPECT_FALSE(resolveBookmarkData(Data{'/', 't', 'm', 'p'}));
    auto data = bookmarkData("/");
    ASSERT_TRUE(data);
    data->push_back(0);
    data->push_back('x');
    EXPECT_FALSE(resolveBookmarkData(*data));
}

}  // namespace
}  // namespace foundation
