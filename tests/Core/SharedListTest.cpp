#include "Core/Records/SharedLists.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace core {
namespace {

TEST(SharedList, EditsByIndexAndEquality) {
    SharedList<PresetInfo> list;
    const PresetInfo a{{"presetName", "A"}}, b{{"presetName", "B"}}, c{{"presetName", "C"}};
    list.replaceAll({a, b});
    list.append(c);
    EXPECT_EQ(list.indexOf(c), 2u);
    EXPECT_FALSE(list.indexOf(PresetInfo{{"presetName", "D"}}));
    EXPECT_TRUE(list.replaceAt(0, c));
    EXPECT_FALSE(list.replaceAt(3, a));
    EXPECT_EQ(list.indexOf(c), 0u);
    list.removeAt(std::set<std::size_t>{0, 2, 9});
    EXPECT_EQ(list.snapshot(), std::vector<PresetInfo>{b});
    EXPECT_FALSE(list.removeAt(1));
    EXPECT_FALSE(list.at(1));
    list.removeAll();
    EXPECT_TRUE(list.isEmpty());
}

TEST(SharedList, AWorkerReadsWholeSnapshotsWhileTheMainQueueEdits) {
    ImageList& images = sharedImageList();
    images.removeAll();
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::thread worker([&] {
        while (!done) {
            const auto snapshot = images.snapshot();
            for (std::size_t i = 0; i < snapshot.size(); ++i)
                if (snapshot[i].strFileName != std::to_string(i)) ++torn;
        }
    });
    for (int round = 0; round < 200; ++round) {
        std::vector<SourceURLInfo> fresh(20);
        for (std::size_t i = 0; i < fresh.size(); ++i) fresh[i].strFileName = std::to_string(i);
        images.replaceAll(fresh);
        SourceURLInfo more;
        more.strFileName = "20";
        images.append(more);
        images.modify([](std::vector<SourceURLInfo>& all) { all.resize(all.size() / 2); });
    }
    done = true;
    worker.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(images.count(), 10u);
    EXPECT_EQ(&sharedImageList(), &images);
    EXPECT_EQ(&sharedPresetList(), &sharedPresetList());
    images.removeAll();
}

}  // namespace
}  // namespace core
