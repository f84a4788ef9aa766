#include <gtest/gtest.h>

#include "Platform/Foundation/JsonSerialization.h"
#include "Platform/Foundation/PlistValue.h"

using foundation::Data;
using foundation::Date;
using foundation::PlistArray;
using foundation::PlistDictionary;
using foundation::PlistValue;

TEST(PlistValue, JsonRoundTripKeepsEveryType) {
    const PlistValue original(PlistDictionary{
        {"int", 1920},
        {"double", 1.0},
        {"negative", -0.25},
        {"bool", true},
        {"string", "Instagram | Ünïcødé \"quoted\""},
        {"data", Data{0, 1, 2, 254, 255}},
        {"emptyData", Data{}},
        {"date", Date{1'700'000'000.5}},
        {"null", nullptr},
        {"array", PlistArray{1, 2.5, "x", PlistArray{}, PlistDictionary{}}},
        {"nested", PlistDictionary{{"a", PlistDictionary{{"b", false}}}}},
    });
    const auto text = original.toJSON();
    const auto back = PlistValue::fromJSON(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, original);
    EXPECT_EQ(back->find("int")->type(), PlistValue::Type::Integer);
    EXPECT_EQ(back->find("double")->type(), PlistValue::Type::Double);
    EXPECT_EQ(back->find("bool")->type(), PlistValue::Type::Bool);
    EXPECT_EQ(back->find("data")->type(), PlistValue::Type::Data);
    EXPECT_EQ(back->find("date")->type(), PlistValue::Type::Date);
}

TEST(PlistValue, NumbersBridgeLikeBoxedNumbers) {
    EXPECT_EQ(PlistValue(3.9).toInt(), 3);
    EXPECT_EQ(PlistValue(-3.9).toInt(), -3);
    EXPECT_EQ(PlistValue(true).toInt(), 1);
    EXPECT_EQ(PlistValue(7).toDouble(), 7.0);
    EXPECT_EQ(PlistValue(0.5).toBool(), true);
    EXPECT_EQ(PlistValue(0).toBool(), false);
    EXPECT_EQ(PlistValue(1e300).toInt(), INT64_MAX);
    EXPECT_FALSE(PlistValue("12").toInt());
    EXPECT_FALSE(PlistValue(12).toString());
    EXPECT_FALSE(PlistValue().toBool());
}

TEST(PlistValue, MalformedJsonIsRejected) {
    EXPECT_FALSE(PlistValue::fromJSON("{\"a\": "));
    EXPECT_FALSE(PlistValue::fromJSON(""));
    EXPECT_FALSE(PlistValue::fromJSON("{\"x\": {\"$vorta.type\": \"data\", \"value\": \"!!\"}}"));
}

TEST(PlistValue, JsonReadersShareTheNestingLimit) {
    // 512 levels are read by both readers, 513 by neither; brackets inside strings do not count.
    const auto nested = [](int levels, const std::string& inner) {
        return std::string(levels, '[') + inner + std::string(levels, ']');
    };
    const std::string deepest = nested(512, "\"[[[{{{\"");
    const std::string tooDeep = nested(513, "");
    const auto parsed = PlistValue::fromJSON(deepest);
    ASSERT_TRUE(parsed);
    const PlistValue* inner = &*parsed;
    for (int i = 0; i < 512; ++i) {
        ASSERT_TRUE(inner->arrayIf() && inner->arrayIf()->size() == 1) << i;
        inner = &inner->arrayIf()->front();
    }
    EXPECT_EQ(*inner, PlistValue("[[[{{{"));
    EXPECT_EQ(foundation::readJson(deepest), parsed);
    EXPECT_FALSE(PlistValue::fromJSON(tooDeep));
    EXPECT_FALSE(foundation::readJson(tooDeep));
    EXPECT_FALSE(PlistValue::fromJSON(std::string(200'000, '{')));
}
