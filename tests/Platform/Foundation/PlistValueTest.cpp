#include <gtest/gtest.h>

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
