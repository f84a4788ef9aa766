#include "Platform/Foundation/Formatters.h"

#include <gtest/gtest.h>

#include "Platform/Foundation/FileAttributes.h"
#include "Platform/Foundation/UUID.h"
#include "Support/TempDir.h"

namespace foundation {
namespace {

// Pins ICU's default locale for the texts below and restores it afterwards.
class EnglishLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = defaultLocale();
        setDefaultLocale("en_US");
    }
    void TearDown() override { setDefaultLocale(saved_); }
    std::string saved_;
};

TEST_F(EnglishLocale, NumbersAndByteCounts) {
    EXPECT_EQ(formatDecimal(1280, 0, 2), "1280");
    EXPECT_EQ(formatDecimal(12.5, 0, 2), "12.5");
    EXPECT_EQ(formatDecimal(33.3333, 0, 2), "33.33");
    EXPECT_EQ(formatDecimal(-1, 0, 2), "-1");

    EXPECT_EQ(formatByteCount(0), "Zero KB");
    EXPECT_EQ(formatByteCount(1), "1 byte");
    EXPECT_EQ(formatByteCount(532), "532 bytes");
    EXPECT_EQ(formatByteCount(1000), "1 KB");
    EXPECT_EQ(formatByteCount(12'400), "12 KB");
    EXPECT_EQ(formatByteCount(999'999), "1 MB");
    EXPECT_EQ(formatByteCount(1'500'000), "1.5 MB");
    EXPECT_EQ(formatByteCount(2'000'000), "2 MB");
    EXPECT_EQ(formatByteCount(2'345'678'901), "2.35 GB");
}

TEST_F(EnglishLocale, GermanNumbersUseTheirOwnSeparator) {
    setDefaultLocale("de_DE");
    EXPECT_EQ(formatDecimal(12.5, 0, 2), "12,5");
    EXPECT_EQ(formatDecimal(1280, 0, 2), "1280");
}

TEST_F(EnglishLocale, ByteCountsSpeakTheUsersLanguage) {
    struct Case {
        const char* locale;
        std::uint64_t bytes;
        std::string text;
    };
    const std::string narrowSpace = "\u202f", noBreakSpace = "\u00a0";
    const Case cases[] = {
        {"de_DE", 0, "0 kB"},
        {"de_DE", 532, "532 Byte"},
        {"de_DE", 12'400, "12 kB"},
        {"de_DE", 1'500'000, "1,5 MB"},
        {"de_DE", 2'345'678'901, "2,35" + noBreakSpace + "GB"},
        {"fr_FR", 1, "1" + narrowSpace + "o"},
        {"fr_FR", 1'500'000, "1,5" + narrowSpace + "Mo"},
        {"en_GB", 1'500'000, "1.5 MB"},
        {"en_GB", 0, "Zero KB"},
    };
    for (const auto& c : cases) {
        setDefaultLocale(c.locale);
        EXPECT_EQ(formatByteCount(c.bytes), c.text) << c.locale << " " << c.bytes;
    }
}

TEST_F(EnglishLocale, MediumDateTimeShowsDateAndSeconds) {
    const std::string text = formatMediumDateTime(Date::fromSecondsSince1970(1'700'000'000));
    // 2023-11-14 22:13:20 UTC; the day and hour depend on the time zone, the year and seconds do not.
    EXPECT_NE(text.find("2023"), std::string::npos) << text;
    EXPECT_NE(text.find(":20"), std::string::npos) << text;
    EXPECT_NE(text.find("Nov"), std::string::npos) << text;
}

TEST(FileAttributes, ReadsSizeAndDatesOrNothing) {
    testsupport::TempDir dir;
    const auto file = dir.write("a.jpg", std::string(1234, 'x'));
    const auto attributes = attributesOfItem(file);
    ASSERT_TRUE(attributes);
    EXPECT_EQ(attributes->size, 1234u);
    ASSERT_TRUE(attributes->modificationDate);
    EXPECT_NEAR(attributes->modificationDate->secondsSince1970, Date::now().secondsSince1970, 60);
    EXPECT_FALSE(attributesOfItem(dir / "missing.jpg"));
}

TEST(UUID, IsRandomVersionFourInUpperCase) {
    const UUID a, b;
    EXPECT_NE(a, b);
    const std::string text = a.uuidString();
    ASSERT_EQ(text.size(), 36u);
    EXPECT_EQ(text[14], '4');
    EXPECT_NE(std::string("89AB").find(text[19]), std::string::npos);
    EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF-"), std::string::npos);
    const UUID copy = a;
    EXPECT_EQ(copy.uuidString(), text);
}

}  // namespace
}  // namespace foundation
