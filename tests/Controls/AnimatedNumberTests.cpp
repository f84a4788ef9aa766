// Animated number texts: the sequences of texts a count shows, its end, and the fade.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <limits>

#include "Controls/AnimatedNumber.h"
#include "Controls/LabelOpacity.h"
#include "Support/UiTestFixture.h"

namespace {

class AnimatedNumberTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        QObject::connect(&label, &QLineEdit::textChanged, [this](const QString& t) { texts.push_back(t); });
    }
    // Runs the count to its end: every step is finished well within a minute of virtual time.
    void finish() {
        mainQueue->advance(600);
        drain();
    }
    QLineEdit label;
    QStringList texts;
};

TEST_F(AnimatedNumberTest, CountingUpOvershootsByOneThenShowsTheEnd) {
    textfield::animateNumber(label, "", "", true, true, 3, 5, 0.1);
    finish();
    EXPECT_EQ(texts, QStringList({"3", "4", "5", "6", "5"}));
    EXPECT_EQ(mainQueue->pendingCount(), 0u);
}

TEST_F(AnimatedNumberTest, CountingDownAndWrongDirections) {
    textfield::animateNumber(label, "", "", true, false, 5, 3, 0.1);
    finish();
    EXPECT_EQ(texts, QStringList({"5", "4", "3"}));  // "3" twice shows as one change

    texts.clear();
    textfield::animateNumber(label, "", "%", true, true, 9, 2, 0.1);
    finish();
    EXPECT_EQ(texts, QStringList({"9%", "2%"}));

    texts.clear();
    textfield::animateNumber(label, "x", "", false, false, 1, 4, 0.1);
    finish();
    EXPECT_EQ(texts, QStringList({"x1.0", "x4.0"}));
}

TEST_F(AnimatedNumberTest, CountUpNumberKeepsOneDecimal) {
    textfield::countUpNumber(label, "", "", 0.5f, 2, 0.2);
    finish();
    EXPECT_EQ(texts, QStringList({"0.5", "1.5", "2.5", "2.0"}));
}

TEST_F(AnimatedNumberTest, ShrinkingDurationsBelowZeroStillReachTheEnd) {
    // From the twelfth step on the duration is negative; the count must go on and end.
    textfield::animateNumber(label, "", "", true, true, 0, 30, 0.05);
    finish();
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.size(), 33);
    EXPECT_EQ(texts.last(), "30");
    EXPECT_EQ(mainQueue->pendingCount(), 0u);
}

TEST_F(AnimatedNumberTest, HugeAndNonFiniteValuesEndExactly) {
    textfield::animateNumber(label, "", "", true, true, 16777216.0f, 16777220.0f, 0.01);
    finish();
    EXPECT_EQ(texts.last(), "16777220");
    EXPECT_LE(texts.size(), 8);
    EXPECT_EQ(mainQueue->pendingCount(), 0u);

    texts.clear();
    textfield::animateNumber(label, "", "", true, true, 0, std::numeric_limits<float>::infinity(), 0.01);
    finish();
    EXPECT_EQ(texts, QStringList({"inf"}));
    EXPECT_EQ(mainQueue->pendingCount(), 0u);
}

TEST_F(AnimatedNumberTest, CountStopsWhenTheLabelGoes) {
    auto* doomed = new QLineEdit;
    textfield::animateNumber(*doomed, "", "", true, true, 0, 100, 0.1);
    mainQueue->advance(0.5);
    delete doomed;
    finish();
    EXPECT_EQ(mainQueue->pendingCount(), 0u);
}

TEST_F(AnimatedNumberTest, FadeEndsOpaqueWithTheNewText) {
    label.setText("old");
    textfield::fadeToText(label, "<b>new</b>", 0.3);
    finish();
    EXPECT_EQ(label.text(), "<b>new</b>");
    EXPECT_DOUBLE_EQ(textfield::alphaValue(label), 1.0);
}

TEST_F(AnimatedNumberTest, NumberTextIgnoresTheProcessLocale) {
    EXPECT_EQ(textfield::numberText("", 7, "%", true), "7%");
    EXPECT_EQ(textfield::numberText("", 7, "%", false), "7.0%");
    EXPECT_EQ(textfield::numberText("%d", 2.25, "%@", false), "%d2.2%@");
}

}  // namespace
