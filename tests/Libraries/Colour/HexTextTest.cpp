#include <gtest/gtest.h>

#include <limits>

#include "Libraries/Colour/HexText.h"

using namespace colour;

namespace {
cg::Color bytes(int r, int g, int b, double a = 1) {
    return {r / 255.0, g / 255.0, b / 255.0, a};
}
}  // namespace

TEST(ColourHexString, ParsesStrictlyAndRejectsMalformedText) {
    EXPECT_EQ(fromHexString("#abc"), bytes(0xAA, 0xBB, 0xCC));
    EXPECT_EQ(fromHexString("0xff8000"), bytes(255, 128, 0));
    EXPECT_EQ(fromHexString("ff8000"), bytes(255, 128, 0));
    EXPECT_EQ(fromHexString("FF8000", 0.25), bytes(255, 128, 0, 0.25));
    EXPECT_EQ(fromHexString("#12#34#56"), bytes(0x12, 0x34, 0x56));
    EXPECT_EQ(fromHexString("12345678"), bytes(0x34, 0x56, 0x78));
    EXPECT_EQ(fromHexString("12345"), bytes(0x01, 0x23, 0x45));
    EXPECT_EQ(fromHexString("-1"), bytes(255, 255, 255));  // two's complement
    EXPECT_EQ(fromHexString("#ff8000", 7)->alpha, 1);
    EXPECT_EQ(fromHexString("#ff8000", -1)->alpha, 0);
    EXPECT_EQ(fromHexString("#ff8000", std::numeric_limits<double>::quiet_NaN())->alpha, 1);

    for (const char* bad : {"", "#", "#GGG", "xyz", "0Xff8000", "#0x12", " ff8000", "ff8000 ", "+", "-", "0x",
                            "12345678901234567", "8000000000000000"}) {
        EXPECT_FALSE(fromHexString(bad)) << '"' << bad << '"';
    }
    // The most negative 64-bit value still fits.
    EXPECT_EQ(fromHexString("-8000000000000000"), bytes(0, 0, 0));
}

TEST(ColourHexScanner, ReadsWhatItCanAndNeverFails) {
    EXPECT_EQ(fromHex("zz"), bytes(0, 0, 0));
    EXPECT_EQ(fromHex(""), bytes(0, 0, 0));
    EXPECT_EQ(fromHex("#"), bytes(0, 0, 0));
    EXPECT_EQ(fromHex("#GGG"), bytes(0, 0, 0));
    EXPECT_EQ(fromHex("#0x00ff00"), bytes(0, 255, 0));
    EXPECT_EQ(fromHex("0X0000FF"), bytes(0, 0, 255));
    EXPECT_EQ(fromHex("  \t#ff8000"), bytes(255, 128, 0));
    EXPECT_EQ(fromHex("ff80zz"), bytes(0, 0xFF, 0x80));
    EXPECT_EQ(fromHex("12345"), bytes(0x01, 0x23, 0x45));
    EXPECT_EQ(fromHex("-ff0000"), bytes(0, 0, 0));
    EXPECT_EQ(fromHex("fffffffffffffffffffff0"), bytes(255, 255, 255));  // saturates
    EXPECT_EQ(colorFromHex("#abcdef"), fromHex("abcdef"));
    EXPECT_EQ(fromHex("#abcdef", 0.5f), bytes(0xAB, 0xCD, 0xEF, 0.5));
    EXPECT_EQ(fromHex("#abcdef", 1.5f).alpha, 1.5);  // widened, not clamped
    EXPECT_EQ(fromHex("#abcdef", std::numeric_limits<float>::quiet_NaN()).alpha, 1);
}

TEST(ColourHexString, PrintsTruncatedUpperCaseDigitsAndShortForms) {
    EXPECT_EQ(hexString({1, 0.5, 0, 1}), "#FF7F00");
    EXPECT_FALSE(shortHexString({1, 0.5, 0, 1}));
    EXPECT_EQ(shortestHexString({1, 0.5, 0, 1}), "#FF7F00");
    EXPECT_EQ(shortHexString({1, 0.2, 0, 1}), "#F30");
    EXPECT_EQ(shortestHexString({1, 0.2, 0, 1}), "#F30");
    EXPECT_EQ(hexValue({1, 0.5, 0, 1}), 0xFF7F00u);

    // Out-of-range channels: nothing spills into a neighbouring channel or prints garbage.
    const cg::Color extended{-0.3, 0.18, 1.2, 1};
    EXPECT_EQ(hexString(extended), "#002D132");
    EXPECT_EQ(hexValue(extended), 0x002DFFu);
    EXPECT_FALSE(shortHexString(extended));
    EXPECT_EQ(hexString({std::numeric_limits<double>::quiet_NaN(), 1, 1, 1}), "#000000");
}
