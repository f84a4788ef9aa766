#include <gtest/gtest.h>

#include <thread>

#include "Core/Job/OutputPaths.h"
#include "Platform/Foundation/Formatters.h"
#include "Support/TempDir.h"

using namespace core;
using testsupport::TempDir;

TEST(OutputPaths, JobFolderNameIsSafeAndReadable) {
    foundation::setDefaultLocale("en_US");
    // 2026-12-06 11:45:27 in the default time zone is not fixed here; check the shape instead.
    const auto name = jobFolderName("Vorta", foundation::Date{1'796'557'527});
    EXPECT_TRUE(name.starts_with("Vorta | ")) << name;
    EXPECT_EQ(name.find('/'), std::string::npos) << name;
    EXPECT_EQ(name.find(':'), std::string::npos) << name;
    EXPECT_NE(name.find(" at"), std::string::npos) << name;
    EXPECT_NE(name.find('-'), std::string::npos) << name;
}

TEST(OutputPaths, NothingExistingIsEverReplaced) {
    TempDir dir;
    const auto first = createFreshFolder(dir / "Vorta | job", nullptr);
    const auto second = createFreshFolder(dir / "Vorta | job", nullptr);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->filename(), "Vorta | job");
    EXPECT_EQ(second->filename(), "Vorta | job (2)");

    std::string error;
    const auto a = writeNewFile(dir / "out.jpg", "first", &error);
    const auto b = writeNewFile(dir / "out.jpg", "second", &error);
    ASSERT_TRUE(a && b) << error;
    EXPECT_EQ(b->filename(), "out (2).jpg");
    EXPECT_EQ(TempDir::read(*a), "first");
    EXPECT_EQ(TempDir::read(*b), "second");

    const auto copy = copyToNewFile(*a, dir / "out.jpg", &error);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->filename(), "out (3).jpg");
    EXPECT_EQ(TempDir::read(*copy), "first");
    EXPECT_FALSE(copyToNewFile(dir / "missing.jpg", dir / "x.jpg", &error));
    EXPECT_FALSE(error.empty());

    // No temporary file is left behind, even after a failure.
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        entries += !e.path().filename().string().starts_with("Vorta");
    EXPECT_EQ(entries, 3);
}

TEST(OutputPaths, ConcurrentWritersNeverShareAName) {
    TempDir dir;
    std::vector<std::thread> threads;
    std::vector<std::filesystem::path> paths(16);
    for (int i = 0; i < 16; ++i)
        threads.emplace_back(
            [&, i] { paths[i] = writeNewFile(dir / "same.png", std::to_string(i), nullptr).value(); });
    for (auto& t : threads) t.join();
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(std::unique(paths.begin(), paths.end()), paths.end());
    for (const auto& p : paths) EXPECT_FALSE(TempDir::read(p).empty());
}

TEST(OutputPaths, AFailedWriteLeavesNothing) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(writeNewFile(dir / "no-such-folder" / "x.jpg", "bytes", &error));
    EXPECT_NE(error.find("no-such-folder"), std::string::npos);
    EXPECT_TRUE(isInside(dir / "a" / "b", dir.path()));
    EXPECT_FALSE(isInside(dir / "a" / ".." / ".." / "x", dir.path()));
}
