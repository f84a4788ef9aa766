#include "Extensions/ArrayExtensions.h"
#include "Extensions/CollectionExtensions.h"
#include "Extensions/SequenceExtensions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <list>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Ints = std::vector<int>;
const auto isEven = [](int v) { return v % 2 == 0; };
const auto isOdd = [](int v) { return v % 2 != 0; };
const auto above5 = [](int v) { return v > 5; };

struct Photo {
    std::string name;
    int width;
    bool operator==(const Photo&) const = default;
};

}  // namespace

TEST(SequenceExtensions, PredicatesSearchesAndPartitions) {
    struct Case {
        Ints input;
        bool allEven, noneEven, anyEven;
        std::optional<int> lastEven, singleEven, singleOdd;
        std::size_t evenCount;
    };
    const Case cases[] = {
        {{}, true, true, false, std::nullopt, std::nullopt, std::nullopt, 0},
        {{1, 2, 3}, false, false, true, 2, 2, std::nullopt, 1},
        {{2, 4}, true, false, true, 4, std::nullopt, std::nullopt, 2},
        {{1, 3, 5, 8, 7}, false, false, true, 8, 8, std::nullopt, 1},
        {{7}, false, true, false, std::nullopt, std::nullopt, 7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.input));
        EXPECT_EQ(seq::all(c.input, isEven), c.allEven);
        EXPECT_EQ(seq::none(c.input, isEven), c.noneEven);
        EXPECT_EQ(seq::any(c.input, isEven), c.anyEven);
        EXPECT_EQ(seq::last(c.input, isEven), c.lastEven);
        const std::list<int> asList(c.input.begin(), c.input.end());
        EXPECT_EQ(seq::last(asList | std::views::filter([](int) { return true; }), isEven), c.lastEven);
        EXPECT_EQ(seq::single(c.input, isEven), c.singleEven);
        EXPECT_EQ(seq::single(c.input, isOdd), c.singleOdd);
        EXPECT_EQ(seq::count(c.input, isEven), c.evenCount);
        const auto [matching, rest] = seq::divided(c.input, isEven);
        EXPECT_EQ(matching.size(), c.evenCount);
        EXPECT_EQ(rest, seq::reject(c.input, isEven));
        EXPECT_TRUE(seq::all(rest, isOdd));
    }
    EXPECT_EQ(seq::single(Ints{1, 2, 3}, above5), std::nullopt);
    EXPECT_EQ(seq::divided(Ints{1, 2, 3, 4}, isEven), std::make_pair(Ints{2, 4}, Ints{1, 3}));
    EXPECT_EQ(seq::accumulated(Ints{1, 2, 3}, 0, std::plus<>{}), (Ints{1, 3, 6}));
    EXPECT_EQ(seq::accumulated(Ints{}, 0, std::plus<>{}), Ints{});
    EXPECT_EQ(seq::map(Ints{1, 2, 3, 4}, isEven, [](int v) { return std::to_string(v); }),
              (std::vector<std::string>{"2", "4"}));

    Ints visited;
    seq::forEachReversed(Ints{1, 2, 3}, [&](int v) { visited.push_back(v); });
    seq::forEach(Ints{1, 2, 3, 4}, isEven, [&](int v) { visited.push_back(v); });
    EXPECT_EQ(visited, (Ints{3, 2, 1, 2, 4}));

    // A throwing closure stops the walk at that element.
    visited.clear();
    EXPECT_THROW(seq::forEach(
                     Ints{1, 2, 3, 4}, [](int) { return true; },
                     [&](int v) {
                         if (v == 3) throw std::runtime_error("stop");
                         visited.push_back(v);
                     }),
                 std::runtime_error);
    EXPECT_EQ(visited, (Ints{1, 2}));
}

TEST(SequenceExtensions, DuplicatesByValueAndByKey) {
    struct Case {
        Ints input;
        Ints unique;
        Ints duplicates;
    };
    const Case cases[] = {
        {{}, {}, {}},
        {{1, 2, 3}, {1, 2, 3}, {}},
        {{3, 1, 3, 2, 1, 3}, {3, 1, 2}, {3, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.input));
        EXPECT_EQ(seq::withoutDuplicates(c.input), c.unique);
        Ints inPlace = c.input;
        EXPECT_EQ(seq::removeDuplicates(inPlace), c.unique);
        EXPECT_EQ(inPlace, c.unique);
        EXPECT_EQ(seq::duplicates(c.input), c.duplicates);
        EXPECT_EQ(seq::containsDuplicates(c.input), !c.duplicates.empty());
    }

    const std::vector<Photo> photos{{"a", 10}, {"b", 20}, {"c", 10}, {"a", 30}};
    // Hashable keys (a string) and keys compared only with == (a struct without a hash).
    EXPECT_EQ(seq::withoutDuplicates(photos, &Photo::width),
              (std::vector<Photo>{{"a", 10}, {"b", 20}, {"a", 30}}));
    EXPECT_EQ(seq::withoutDuplicates(photos, &Photo::name),
              (std::vector<Photo>{{"a", 10}, {"b", 20}, {"c", 10}}));
    std::vector<Photo> unhashable = photos;
    seq::removeDuplicates(unhashable, [](const Photo& p) { return Photo{"", p.width}; });
    EXPECT_EQ(unhashable, (std::vector<Photo>{{"a", 10}, {"b", 20}, {"a", 30}}));
    EXPECT_TRUE(seq::containsDuplicates(std::vector<Photo>{{"a", 1}, {"a", 1}}));

    EXPECT_TRUE(seq::containsAll(Ints{1, 2, 3}, Ints{3, 1}));
    EXPECT_TRUE(seq::containsAll(Ints{}, Ints{}));
    EXPECT_FALSE(seq::containsAll(Ints{1, 2, 3}, Ints{4}));
    EXPECT_EQ(seq::sum(Ints{1, 2, 3}), 6);
    EXPECT_DOUBLE_EQ(seq::sum(std::vector<double>{0.5, 0.25}), 0.75);
}

TEST(SequenceExtensions, SortingByKeysAndLikeAnotherArray) {
    const std::vector<Photo> photos{{"b", 20}, {"a", 10}, {"c", 10}, {"d", 30}};
    const auto names = [](const std::vector<Photo>& v) {
        std::string out;
        for (const Photo& p : v) out += p.name;
        return out;
    };
    EXPECT_EQ(names(seq::sorted(photos, &Photo::width)), "acbd") << "equal keys keep their order";
    EXPECT_EQ(names(seq::sorted(photos, &Photo::name, std::ranges::greater{})), "dcba");

    struct Case {
        std::vector<std::string> order;
        std::string expected;
    };
    const Case cases[] = {
        {{"d", "a"}, "dabc"},
        {{"c", "b", "c"}, "bcad"},  // "c" counts at its last position
        {{}, "bacd"},
        {{"x"}, "bacd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(names(seq::sortedLike(photos, c.order, &Photo::name)), c.expected);
    }
}

TEST(CollectionExtensions, IndicesChunksAndAverages) {
    EXPECT_EQ(seq::indices(Ints{1, 2, 1, 3}, 1), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(seq::indices(Ints{1, 2, 1, 3}, 4), std::vector<std::size_t>{});
    EXPECT_EQ(seq::indices(Ints{1, 2, 4, 3}, isEven), (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(seq::indices(Ints{1, 3}, isEven), std::nullopt) << "absent, not empty";

    using Chunks = std::vector<Ints>;
    struct Case {
        Ints input;
        int size;
        std::optional<Chunks> chunks;
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5}, 2, Chunks{{1, 2}, {3, 4}, {5}}},
        {{1, 2, 3, 4, 5}, 5, Chunks{{1, 2, 3, 4, 5}}},
        {{1, 2, 3, 4}, 2, Chunks{{1, 2}, {3, 4}}},
        {{1, 2}, 7, Chunks{{1, 2}}},
        {{1, 2, 3, 4, 5}, 0, std::nullopt},
        {{1, 2, 3, 4, 5}, -3, std::nullopt},
        {{}, 2, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.input) + " by " + std::to_string(c.size));
        EXPECT_EQ(seq::chunked(c.input, c.size), c.chunks);
        Chunks sliced;
        seq::forEach(c.input, c.size, [&](const Ints& chunk) { sliced.push_back(chunk); });
        EXPECT_EQ(sliced, c.chunks.value_or(Chunks{}));
    }

    EXPECT_DOUBLE_EQ(seq::average(Ints{}), 0);
    EXPECT_DOUBLE_EQ(seq::average(Ints{1, 2}), 1.5);
    EXPECT_DOUBLE_EQ(seq::average(std::vector<std::int64_t>{INT64_MAX, INT64_MAX}), 9.223372036854775807e18)
        << "an integer sum beyond the type does not wrap";
    EXPECT_FLOAT_EQ(seq::average(std::vector<float>{1.0f, 2.0f, 4.0f}), 7.0f / 3.0f);

    const std::list<int> list{4, 5, 6};
    EXPECT_EQ(seq::safe(list, 2), 6);
    EXPECT_EQ(seq::safe(list, 3), std::nullopt);
    EXPECT_EQ(seq::safe(list, -1), std::nullopt);
}

TEST(CollectionExtensions, ConcurrentForEachRunsEveryIndexOnceAndPassesOnAnError) {
    constexpr int kCount = 10'000;
    Ints values(kCount);
    for (int i = 0; i < kCount; ++i) values[static_cast<std::size_t>(i)] = i;
    std::vector<std::atomic<int>> calls(kCount);
    seq::concurrentForEach(values, [&](int v) { calls[static_cast<std::size_t>(v)].fetch_add(1); });
    for (int i = 0; i < kCount; ++i) ASSERT_EQ(calls[static_cast<std::size_t>(i)].load(), 1) << i;

    seq::concurrentForEach(Ints{}, [](int) { FAIL() << "no element, no call"; });

    // The first element fails at once; every other call takes a millisecond, so running them all
    // would take far longer than stopping does.
    std::atomic<int> started{0};
    try {
        seq::concurrentForEach(values, [&](int v) {
            started.fetch_add(1);
            if (v == 0) throw std::runtime_error("photo 0 failed");
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        });
        FAIL() << "the error was swallowed";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "photo 0 failed");
    }
    EXPECT_LT(started.load(), kCount) << "no new calls start after the failure";
}

TEST(ArrayExtensions, ChangesInPlace) {
    struct Rotation {
        Ints input;
        std::int64_t by;
        Ints expected;
    };
    const Rotation rotations[] = {
        {{1, 2, 3, 4, 5}, 2, {4, 5, 1, 2, 3}},
        {{1, 2, 3, 4, 5}, 7, {4, 5, 1, 2, 3}},
        {{1, 2, 3, 4, 5}, -2, {3, 4, 5, 1, 2}},
        {{1, 2, 3, 4, 5}, -7, {3, 4, 5, 1, 2}},
        {{1, 2, 3, 4, 5}, 5, {1, 2, 3, 4, 5}},
        {{1, 2, 3, 4, 5}, 0, {1, 2, 3, 4, 5}},
        {{}, 0, {}},
        {{}, 3, {}},
        {{1, 2}, INT64_MIN, {1, 2}},
    };
    for (const Rotation& r : rotations) {
        SCOPED_TRACE(::testing::PrintToString(r.input) + " by " + std::to_string(r.by));
        EXPECT_EQ(seq::rotated(r.input, r.by), r.expected);
        std::deque<int> d(r.input.begin(), r.input.end());
        seq::rotate(d, r.by);
        EXPECT_EQ(Ints(d.begin(), d.end()), r.expected);
    }
    EXPECT_EQ(seq::rotated(std::string("abcde"), 1), "eabcd");

    struct Swap {
        std::int64_t from, to;
        Ints expected;
    };
    const Swap swaps[] = {
        {0, 2, {3, 2, 1}}, {-1, 0, {1, 2, 3}}, {0, 3, {1, 2, 3}}, {1, 1, {1, 2, 3}}, {2, 1, {1, 3, 2}},
    };
    for (const Swap& s : swaps) {
        Ints v{1, 2, 3};
        seq::safeSwap(v, s.from, s.to);
        EXPECT_EQ(v, s.expected) << s.from << " <-> " << s.to;
    }

    Ints v{1, 2, 3, 2, 4};
    EXPECT_EQ(seq::removeFirst(v, isEven), 2);
    EXPECT_EQ(v, (Ints{1, 3, 2, 4}));
    EXPECT_EQ(seq::removeFirst(v, above5), std::nullopt);
    EXPECT_EQ(seq::removeAll(v, 2), (Ints{1, 3, 4}));
    EXPECT_EQ(seq::removeAll(v, Ints{}), (Ints{1, 3, 4}));
    EXPECT_EQ(seq::removeAll(v, Ints{4, 1}), Ints{3});
    seq::prepend(v, 9);
    EXPECT_EQ(v, (Ints{9, 3}));

    const Ints run{2, 4, 5, 6};
    EXPECT_EQ(seq::take(run, isEven), (Ints{2, 4}));
    EXPECT_EQ(seq::skip(run, isEven), (Ints{5, 6}));
    EXPECT_EQ(seq::skip(run, [](int) { return true; }), Ints{});
    Ints kept = run;
    EXPECT_EQ(seq::keep(kept, [](int) { return true; }), run);
    EXPECT_EQ(seq::keep(kept, isEven), (Ints{2, 4}));

    Ints pool{7, 8, 9};
    Ints drawn;
    while (auto e = seq::removeRandomElement(pool)) drawn.push_back(*e);
    std::ranges::sort(drawn);
    EXPECT_EQ(drawn, (Ints{7, 8, 9}));

    int next = 0;
    EXPECT_EQ(seq::withExpectedCount<Ints>(3, [&] { return next++; }), (Ints{0, 1, 2}));
    EXPECT_EQ(seq::withExpectedCount<Ints>(-1, [&] { return next++; }), Ints{});
}

TEST(ArrayExtensions, OffsetsReadAndReplaceOrRefuse) {
    std::string s = "photo";
    EXPECT_EQ(seq::atOffset(s, 1), 'h');
    seq::setAtOffset(s, 0, 'P');
    EXPECT_EQ(seq::atOffsets(s, 1, 3), "ho");
    seq::replaceOffsets(s, 1, 3, std::string("HHH"));
    EXPECT_EQ(s, "PHHHto");
    seq::replaceOffsets(s, 6, 6, std::string("!"));
    EXPECT_EQ(s, "PHHHto!");

    const Ints v{1, 2, 3};
    struct Bad {
        std::int64_t lower, upper;
    };
    for (const Bad& b : {Bad{-1, 1}, Bad{2, 1}, Bad{0, 4}, Bad{INT64_MAX, INT64_MAX}}) {
        EXPECT_THROW(seq::atOffsets(v, b.lower, b.upper), std::out_of_range) << b.lower << ", " << b.upper;
    }
    EXPECT_THROW(seq::atOffset(v, 3), std::out_of_range);
    EXPECT_THROW(seq::atOffset(v, INT64_MAX), std::out_of_range);
    EXPECT_THROW(seq::atOffset(v, -1), std::out_of_range);
}
