#include "Core/Job/OutputFolder.h"

#include <gtest/gtest.h>

#include "Support/TempDir.h"

namespace core {
namespace {

TEST(OutputFolder, ResolvesToTheFolderUntilItIsGone) {
    testsupport::TempDir dir;
    foundation::UserDefaults defaults(dir / "settings.json");
    EXPECT_FALSE(resolveOutputFolder(defaults));

    const auto folder = dir / "Output folder";
    std::filesystem::create_directory(folder);
    ASSERT_TRUE(storeOutputFolder(defaults, folder));
    ASSERT_TRUE(defaults.synchronize());
    foundation::UserDefaults reopened(dir / "settings.json");
    EXPECT_TRUE(reopened.data(kSavingLocationKey));
    EXPECT_EQ(resolveOutputFolder(reopened), folder);

    std::filesystem::remove(folder);
    EXPECT_FALSE(resolveOutputFolder(reopened));
    // A file where the folder was is no output folder either.
    dir.write("Output folder", "x");
    EXPECT_FALSE(resolveOutputFolder(reopened));
}

TEST(OutputFolder, OnlyExistingFoldersAreStored) {
    testsupport::TempDir dir;
    foundation::UserDefaults defaults(dir / "settings.json");
    EXPECT_FALSE(storeOutputFolder(defaults, dir / "missing"));
    EXPECT_FALSE(storeOutputFolder(defaults, dir.write("file.jpg", "x")));
    EXPECT_FALSE(defaults.object(kSavingLocationKey));
    defaults.set(kSavingLocationKey, foundation::PlistValue("/tmp"));
    EXPECT_FALSE(resolveOutputFolder(defaults));
}

}  // namespace
}  // namespace core
