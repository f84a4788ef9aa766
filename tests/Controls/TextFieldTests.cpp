// Text fields: padding arithmetic, click-through labels, hover and focus borders, and font fitting
// that always ends.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "Controls/AnimatedNumber.h"
#include "Controls/LabelOpacity.h"
#include "Controls/TextField.h"
#include "Controls/TextFieldBackground.h"
#include "Controls/TextFieldCell.h"
#include "Controls/TextFieldDisabled.h"
#include "Platform/AppKit/Fonts.h"
#include "Support/UiTestFixture.h"

using controls::TextField;

namespace {

class TextFieldTest : public testsupport::UiTest {
  protected:
    // A field 60 wide at 13 points with a text far too long to fit at any size.
    std::unique_ptr<TextField> narrowField(double minSize) {
        auto field = std::make_unique<TextField>();
        field->resize(60, 24);
        field->setFont(appkit::systemFont(13));
        field->setFontMinSize(minSize);
        return field;
    }
    const QString longText = QString("a very long text that cannot fit in sixty points").repeated(3);
};

TEST_F(TextFieldTest, CellPaddingGrowsHeightAndInsetsTitle) {
    controls::TextFieldCell cell;
    EXPECT_EQ(cell.cellSizeForBounds({120, 20}), (cg::Size{120, 44}));
    EXPECT_EQ(cell.titleRectForBounds(cg::Rect(0, 0, 200, 50)), cg::Rect(14, 12, 172, 26));
    QLineEdit field;
    cell.install(field);
    EXPECT_EQ(field.textMargins(), QMargins(14, 12, 14, 12));

    controls::TextField plain, padded;
    plain.setText("Width");
    padded.setText("Width");
    padded.setCell(cell);
    EXPECT_EQ(padded.sizeHint().width(), plain.sizeHint().width()) << "padding never widens the field";
    EXPECT_EQ(padded.sizeHint().height(), plain.sizeHint().height() + 24);
    padded.setCell(std::nullopt);
    EXPECT_EQ(padded.sizeHint(), plain.sizeHint());
}

TEST_F(TextFieldTest, DisabledLabelLetsClicksThroughAndBackgroundStyleRoundTrips) {
    QWidget window;
    window.resize(200, 60);
    auto* button = new QPushButton("Under", &window);
    button->setGeometry(0, 0, 200, 60);
    auto* label = new controls::TextFieldDisabled(&window);
    label->setText("Over the button");
    label->setGeometry(10, 10, 180, 30);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    EXPECT_EQ(window.childAt(QPoint(50, 20)), button);
    QTest::mouseClick(window.childAt(QPoint(50, 20)), Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_EQ(clicks, 1);

    EXPECT_EQ(textfield::fontBackground(*label), 0);
    textfield::setFontBackground(*label, 3);
    EXPECT_EQ(textfield::fontBackground(*label), 3);
}

TEST_F(TextFieldTest, FadeAndBackgroundStyleWorkTogetherOnOneField) {
    QWidget window;
    window.resize(160, 40);
    auto* field = new TextField(&window);
    field->setGeometry(10, 8, 140, 24);
    field->setFrame(false);
    field->setText("Old text");
    window.show();
    const auto shot = [&window] { return window.grab().toImage(); };
    const QImage plain = shot();

    textfield::setFontBackground(*field, 2);  // raised before the fade starts
    const QImage raised = shot();
    EXPECT_NE(raised, plain) << "the raised edge shows";
    textfield::fadeToText(*field, "New text", 0.3);
    // The clock runs at zero duration: the field is faded out and the fade-in waits on the queue.
    EXPECT_DOUBLE_EQ(textfield::alphaValue(*field), 0.0);
    textfield::setFontBackground(*field, 3);  // lowered in the middle of the fade
    EXPECT_DOUBLE_EQ(textfield::alphaValue(*field), 0.0) << "the style does not cut the fade short";
    drain();
    EXPECT_EQ(field->text(), "New text");
    EXPECT_DOUBLE_EQ(textfield::alphaValue(*field), 1.0);
    EXPECT_EQ(textfield::fontBackground(*field), 3);
    const QImage lowered = shot();

    // The finished fade left the lowered edge in place: the same text without a style looks different.
    textfield::setFontBackground(*field, 0);
    const QImage newPlain = shot();
    EXPECT_NE(lowered, newPlain) << "the lowered edge survived the fade";
    textfield::setFontBackground(*field, 3);
    EXPECT_EQ(shot(), lowered);

    // While faded out the field shows nothing of its text, edge included.
    textfield::fadeToText(*field, "Third", 0.3);
    EXPECT_EQ(textfield::fontBackground(*field), 3);
    textfield::setFontBackground(*field, 0);
    const QImage empty = shot();
    textfield::setFontBackground(*field, 3);
    EXPECT_EQ(shot(), empty) << "a faded-out field draws no edge";
    drain();
    EXPECT_EQ(field->text(), "Third");
    EXPECT_DOUBLE_EQ(textfield::alphaValue(*field), 1.0);

    // Half faded, a field that fills its background fades as one piece: the edge shows only where
    // it stands out of the field, never through the field's own background.
    field->setAutoFillBackground(true);
    textfield::setAlphaValue(*field, 0.4);
    const QPoint clearOfText(140, 20);
    textfield::setFontBackground(*field, 0);
    const QRgb plainBackground = shot().pixel(clearOfText);
    textfield::setFontBackground(*field, 3);
    EXPECT_EQ(shot().pixel(clearOfText), plainBackground);
}

TEST_F(TextFieldTest, TextThatNeverFitsShrinksByTwoUntilBelowTheMinimumAndStartsAgainOnNewText) {
    auto field = narrowField(10);
    field->setStringValue(longText);
    EXPECT_EQ(field->fontDefaultSize(), 13);
    EXPECT_EQ(field->currentFontSize(), 11);  // the first step is taken at once
    mainQueue->advance(0.02);
    EXPECT_EQ(field->currentFontSize(), 9);
    mainQueue->advance(1);
    EXPECT_EQ(field->currentFontSize(), 9);
    EXPECT_EQ(mainQueue->pendingCount(), 0u);

    field->setStringValue("ok");  // fits at the recorded size: no step
    EXPECT_EQ(field->currentFontSize(), 13);
    mainQueue->advance(1);
    EXPECT_EQ(field->currentFontSize(), 13);
}

TEST_F(TextFieldTest, MinimumAboveTheSizeTakesNoStepAndClearingTheFlagStillFits) {
    auto field = narrowField(20);
    field->setText(longText);
    field->setFontAutoSize(false);
    EXPECT_EQ(field->currentFontSize(), 13);
    EXPECT_EQ(mainQueue->pendingCount(), 0u);

    auto other = narrowField(10);
    other->setText(longText);
    other->setFontAutoSize(false);
    EXPECT_EQ(other->currentFontSize(), 11);
    EXPECT_FALSE(other->fontAutoSize());
}

TEST_F(TextFieldTest, ShrinkingEndsForAnyMinimumSize) {
    for (double minimum : {2.0, 1.0, 0.0, -5.0}) {
        auto field = narrowField(minimum);
        field->setStringValue(longText + longText + longText);
        mainQueue->advance(5);
        EXPECT_EQ(mainQueue->pendingCount(), 0u) << "minimum " << minimum;
        EXPECT_GE(field->currentFontSize(), 1) << "minimum " << minimum;
        EXPECT_LE(field->currentFontSize(), 3) << "minimum " << minimum;
    }
}

TEST_F(TextFieldTest, RepeatedPassesDoNotMultiplySteps) {
    auto field = narrowField(1);
    for (int i = 0; i < 5; ++i) {
        field->setStringValue(longText + longText);
        field->setFontAutoSize(true);
    }
    // However many passes were started, only the last one steps: 2 points per 0.02 s.
    EXPECT_EQ(field->currentFontSize(), 9);
    mainQueue->advance(0.02);
    EXPECT_EQ(field->currentFontSize(), 7);
    for (int tick = 0; tick < 10; ++tick) {
        EXPECT_LE(mainQueue->pendingCount(), 1u);
        mainQueue->advance(0.02);
    }
    EXPECT_EQ(field->currentFontSize(), 1);
}

TEST_F(TextFieldTest, HoverBorderShowsWhileInsideAndStaysWhileEditing) {
    QWidget window;
    auto* field = new TextField(&window);
    const cg::Color red{1, 0, 0, 1};
    field->setBorderHover(red);
    field->awakeFromNib();
    window.show();

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(field, &enter);
    EXPECT_EQ(field->borderColor(), red);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(field, &leave);
    EXPECT_EQ(field->borderColor(), cg::Color::clear());

    QFocusEvent focusIn(QEvent::FocusIn);
    QCoreApplication::sendEvent(field, &focusIn);
    QCoreApplication::sendEvent(field, &enter);
    ASSERT_TRUE(field->isFocused());
    QCoreApplication::sendEvent(field, &leave);
    EXPECT_EQ(field->borderColor(), red);  // still being edited
    QFocusEvent focusOut(QEvent::FocusOut);
    QCoreApplication::sendEvent(field, &focusOut);
    EXPECT_FALSE(field->isFocused());
    EXPECT_EQ(field->borderColor(), cg::Color::clear());
}

TEST_F(TextFieldTest, ClearHoverBorderLeavesTheBorderAlone) {
    TextField field;
    field.awakeFromNib();
    const cg::Color blue{0, 0, 1, 1};
    field.setBorderColor(blue);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&field, &enter);
    EXPECT_EQ(field.borderColor(), blue);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&field, &leave);
    EXPECT_EQ(field.borderColor(), cg::Color::clear());
}

TEST_F(TextFieldTest, PlaceholderColourAppliesOnlyWithAPlaceholder) {
    TextField field;
    const cg::Color green{0, 1, 0, 1};
    const QColor before = field.palette().color(QPalette::PlaceholderText);
    field.setPlaceholderColor(green);
    EXPECT_EQ(field.palette().color(QPalette::PlaceholderText), before);
    field.setPlaceholderText("Width");
    field.setPlaceholderColor(green);
    EXPECT_EQ(field.palette().color(QPalette::PlaceholderText), QColor(0, 255, 0));
}

}  // namespace
