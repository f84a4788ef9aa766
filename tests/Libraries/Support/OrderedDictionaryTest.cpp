// The ordered dictionary against a plain list of pairs over thousands of random operations, and the
// cases a user of it relies on: order kept on update, broken preconditions changing nothing.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "Libraries/Support/OrderedDictionary.h"

namespace support {
namespace {

using Dict = OrderedDictionary<int, int>;
using Model = std::vector<std::pair<int, int>>;

Model contents(const Dict& dict) {
    Model out;
    for (const auto& element : dict) out.emplace_back(element.key, element.value);
    return out;
}

// Every way of reading the dictionary agrees with the model.
void expectMatches(const Dict& dict, const Model& model, int step) {
    ASSERT_EQ(contents(dict), model) << "step " << step;
    ASSERT_EQ(dict.count(), static_cast<Dict::Index>(model.size()));
    std::vector<int> values(dict.orderedValues().begin(), dict.orderedValues().end());
    for (std::size_t i = 0; i < model.size(); ++i) {
        const auto [key, value] = model[i];
        ASSERT_EQ(dict.orderedKeys()[i], key);
        ASSERT_EQ(values[i], value);
        ASSERT_EQ(dict.value(key), value) << "step " << step;
        ASSERT_EQ(dict.index(key), static_cast<Dict::Index>(i)) << "step " << step;
    }
    std::vector<Dict::Index> positions;
    for (const Dict::Index i : dict.indices()) {
        ASSERT_EQ(dict[i].key, model[static_cast<std::size_t>(i)].first) << "step " << step;
        positions.push_back(i);
    }
    ASSERT_EQ(positions.size(), model.size()) << "step " << step;
    for (int key = 0; key < 40; ++key) {
        const bool present =
            std::any_of(model.begin(), model.end(), [&](const auto& p) { return p.first == key; });
        ASSERT_EQ(dict.containsKey(key), present) << "step " << step << " key " << key;
        // Whether a pair can go in depends on its key alone, never on its value.
        for (const int value : {-1, 0, 7})
            ASSERT_EQ(dict.canInsert({key, value}), !present) << "step " << step;
    }
}

std::optional<std::size_t> find(const Model& model, int key) {
    for (std::size_t i = 0; i < model.size(); ++i)
        if (model[i].first == key) return i;
    return std::nullopt;
}

TEST(OrderedDictionaryTest, AgreesWithAListOfPairsOverRandomOperations) {
    std::mt19937 random(20261207);
    auto draw = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    Dict dict;
    Model model;
    for (int step = 0; step < 10000; ++step) {
        const int key = draw(0, 39);
        const int value = draw(-1000, 1000);
        const int size = static_cast<int>(model.size());
        const int position = draw(-2, size + 1);
        const auto at = find(model, key);
        switch (draw(0, 12)) {
            case 0: {  // set by key
                const auto previous = dict.updateValue(value, key);
                EXPECT_EQ(previous, at ? std::optional<int>(model[*at].second) : std::nullopt);
                if (at)
                    model[*at].second = value;
                else
                    model.emplace_back(key, value);
                break;
            }
            case 1: {  // write or remove through the key subscript
                const bool remove = draw(0, 2) == 0;
                dict.subscript(key, remove ? std::nullopt : std::optional<int>(value));
                if (remove && at) model.erase(model.begin() + static_cast<long>(*at));
                if (!remove && at) model[*at].second = value;
                if (!remove && !at) model.emplace_back(key, value);
                break;
            }
            case 2: {
                const auto removed = dict.removeValue(key);
                EXPECT_EQ(removed, at ? std::optional<int>(model[*at].second) : std::nullopt);
                if (at) model.erase(model.begin() + static_cast<long>(*at));
                break;
            }
            case 3: {  // insert at a position, valid or not
                const bool fits = position >= 0 && position <= size && !at;
                EXPECT_EQ(dict.canInsertAt(position), position >= 0 && position <= size);
                EXPECT_EQ(dict.canInsertKey(key), !at);
                if (fits) {
                    dict.insert({key, value}, position);
                    model.insert(model.begin() + position, {key, value});
                } else {
                    EXPECT_ANY_THROW(dict.insert({key, value}, position));
                }
                break;
            }
            case 4: {  // replace the entry at a position
                if (position < 0 || position >= size) {
                    EXPECT_THROW(dict.update({key, value}, position), std::out_of_range);
                    break;
                }
                const bool allowed = !at || *at == static_cast<std::size_t>(position);
                EXPECT_EQ(dict.canUpdate({key, value}, position), allowed);
                if (!allowed) {
                    EXPECT_THROW(dict.update({key, value}, position), std::invalid_argument);
                    break;
                }
                const auto old = dict.update({key, value}, position);
                ASSERT_TRUE(old);
                EXPECT_EQ(std::make_pair(old->key, old->value), model[position]);
                model[position] = {key, value};
                break;
            }
            case 5: {
                const auto removed = dict.removeAt(position);
                const bool valid = position >= 0 && position < size;
                EXPECT_EQ(removed.has_value(), valid);
                if (valid) {
                    EXPECT_EQ(std::make_pair(removed->key, removed->value), model[position]);
                    model.erase(model.begin() + position);
                }
                break;
            }
            case 6: {
                const auto element = dict.elementAt(position);
                const bool valid = position >= 0 && position < size;
                ASSERT_EQ(element.has_value(), valid);
                if (valid) {
                    EXPECT_EQ(std::make_pair(element->key, element->value), model[position]);
                } else {
                    EXPECT_THROW(dict[position], std::out_of_range);
                }
                break;
            }
            case 7: {  // take from either end
                const bool first = draw(0, 1) == 0;
                const bool mustExist = draw(0, 1) == 0;
                if (model.empty()) {
                    if (mustExist)
                        EXPECT_THROW(first ? dict.removeFirst() : dict.removeLast(), std::out_of_range);
                    else
                        EXPECT_FALSE(first ? dict.popFirst() : dict.popLast());
                    break;
                }
                const auto expected = first ? model.front() : model.back();
                const Dict::Element got = mustExist ? (first ? dict.removeFirst() : dict.removeLast())
                                                    : *(first ? dict.popFirst() : dict.popLast());
                EXPECT_EQ(std::make_pair(got.key, got.value), expected);
                model.erase(first ? model.begin() : model.end() - 1);
                break;
            }
            case 8:
            case 9: {  // move, to a good position or a bad one
                if (!at) {
                    EXPECT_FALSE(dict.moveElement(key, position));
                    break;
                }
                if (position == static_cast<int>(*at)) {
                    EXPECT_EQ(dict.moveElement(key, position), position);
                    break;
                }
                if (position < 0 || position >= size) {
                    EXPECT_THROW(dict.moveElement(key, position), std::out_of_range);
                    break;
                }
                EXPECT_EQ(dict.moveElement(key, position), static_cast<Dict::Index>(*at));
                const auto entry = model[*at];
                model.erase(model.begin() + static_cast<long>(*at));
                model.insert(model.begin() + position, entry);
                break;
            }
            case 10: {  // edit a value in place
                dict.modify(key, [&](std::optional<int>& v) {
                    if (v) *v += value;
                });
                if (at) model[*at].second += value;
                break;
            }
            case 11: {  // sort, rarely, by value then key, or by key descending
                if (draw(0, 9) != 0) break;
                if (draw(0, 1) == 0) {
                    auto byValue = [](const auto& a, const auto& b) { return a.value < b.value; };
                    dict.sort(byValue);
                    std::stable_sort(model.begin(), model.end(),
                                     [](const auto& a, const auto& b) { return a.second < b.second; });
                } else {
                    dict = dict.sorted([](const auto& a, const auto& b) { return a.key > b.key; });
                    std::stable_sort(model.begin(), model.end(),
                                     [](const auto& a, const auto& b) { return a.first > b.first; });
                }
                break;
            }
            case 12: {
                if (draw(0, 49) != 0) break;
                dict.removeAll(draw(0, 1) == 0);
                model.clear();
                break;
            }
        }
        expectMatches(dict, model, step);
        if (HasFatalFailure()) return;
    }
}

TEST(OrderedDictionaryTest, OrderByKeyAndByPosition) {
    using Strings = OrderedDictionary<std::string, int>;
    const Strings abc{{"a", 1}, {"b", 2}, {"c", 3}};
    auto keys = [](const Strings& d) { return d.orderedKeys(); };
    using Keys = std::vector<std::string>;

    Strings d = abc;
    EXPECT_EQ(d.updateValue(20, "b"), 2);
    EXPECT_EQ(keys(d), (Keys{"a", "b", "c"}));
    d.subscript("d", 4);
    EXPECT_EQ(keys(d), (Keys{"a", "b", "c", "d"}));
    d.subscript("a", std::nullopt);
    EXPECT_EQ(keys(d), (Keys{"b", "c", "d"}));
    EXPECT_EQ(d.removeValue("zz"), std::nullopt);

    d = abc;
    const auto old = d.update({"n", 9}, 1);
    EXPECT_EQ(old, (Strings::Element{"b", 2}));
    EXPECT_EQ(keys(d), (Keys{"a", "n", "c"}));
    EXPECT_FALSE(d.containsKey("b"));
    EXPECT_TRUE(d.canUpdate({"n", 0}, 1));
    EXPECT_FALSE(d.canUpdate({"a", 0}, 1));

    d = abc;
    EXPECT_EQ(d.moveElement("c", 0), 2);
    EXPECT_EQ(keys(d), (Keys{"c", "a", "b"}));
    d.insert({"e", 5}, d.count());
    EXPECT_EQ(keys(d), (Keys{"c", "a", "b", "e"}));

    // A slice keeps the dictionary's positions.
    const auto middle = abc.slice(1, 3);
    EXPECT_EQ(middle.startIndex(), 1);
    EXPECT_EQ(middle[2], (Strings::Element{"c", 3}));
    EXPECT_THROW(middle[0], std::out_of_range);
    Keys sliced;
    for (const auto& e : middle) sliced.push_back(e.key);
    EXPECT_EQ(sliced, (Keys{"b", "c"}));

    // Equal entries in another order are another dictionary.
    const Strings cba{{"c", 3}, {"b", 2}, {"a", 1}};
    EXPECT_NE(abc, cba);
    EXPECT_EQ(abc, cba.sorted([](const auto& x, const auto& y) { return x.key < y.key; }));

    struct Photo {
        std::string name;
        int width;
    };
    const std::vector<Photo> photos{{"b.jpg", 10}, {"a.jpg", 20}};
    const auto byName = OrderedDictionary<std::string, Photo>::uniquelyKeyed(photos, &Photo::name);
    EXPECT_EQ(byName.orderedKeys(), (Keys{"b.jpg", "a.jpg"}));
    const auto byWidth =
        OrderedDictionary<int, Photo>::uniquelyKeyed(photos, [](const Photo& p) { return p.width; });
    EXPECT_EQ(byWidth[1].value.name, "a.jpg");

    const auto fromHash = Strings::unsorted({{"x", 3}, {"y", 1}, {"z", 2}},
                                            [](const auto& p, const auto& q) { return p.value < q.value; });
    EXPECT_EQ(keys(fromHash), (Keys{"y", "z", "x"}));
}

TEST(OrderedDictionaryTest, BrokenPreconditionsAndBadComparisonsLoseNothing) {
    using Strings = OrderedDictionary<std::string, int>;
    const Strings abc{{"a", 1}, {"b", 2}, {"c", 3}};
    Strings d = abc;
    EXPECT_THROW(d.insert({"a", 9}, 0), std::invalid_argument);
    EXPECT_THROW(d.insert({"z", 9}, 4), std::out_of_range);
    EXPECT_THROW(d.update({"a", 9}, 2), std::invalid_argument);
    EXPECT_THROW(d.moveElement("a", 3), std::out_of_range);
    EXPECT_THROW(d.moveElement("a", -1), std::out_of_range);
    EXPECT_THROW(d.sort([](const auto& x, const auto&) -> bool {
        if (x.key == "b") throw std::runtime_error("no order");
        return false;
    }),
                 std::runtime_error);
    EXPECT_EQ(d, abc);
    EXPECT_THROW((Strings{{"a", 1}, {"a", 2}}), std::invalid_argument);
    Strings empty;
    EXPECT_THROW(empty.removeLast(), std::out_of_range);
    EXPECT_EQ(empty.popFirst(), std::nullopt);

    // A comparison that is no order at all still leaves every entry with its own value.
    OrderedDictionary<int, int> many;
    for (int i = 0; i < 500; ++i) many.updateValue(i * 7, i);
    std::mt19937 coin(7);
    many.sort([&](const auto&, const auto&) { return coin() % 2 == 0; });
    ASSERT_EQ(many.count(), 500);
    for (int i = 0; i < 500; ++i) EXPECT_EQ(many.value(i), i * 7);
    auto keys = many.orderedKeys();
    std::sort(keys.begin(), keys.end());
    for (int i = 0; i < 500; ++i) EXPECT_EQ(keys[i], i);
}

}  // namespace
}  // namespace support
