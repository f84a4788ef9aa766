// Tag chips: their geometry, and that fields without tags draw exactly as plain fields.

#include <gtest/gtest.h>

#include "Controls/TagChip.h"
#include "Controls/TaggableTextField.h"
#include "ControlsTestSupport.h"

using namespace controls;

namespace {

using TaggableTest = controlstest::ControlsTest;

TaggedRun run(int location, int length, bool tag, std::optional<cg::Color> background = std::nullopt) {
    TaggedRun r;
    r.location = location;
    r.length = length;
    r.tag = tag;
    r.background = background;
    return r;
}

TEST_F(TaggableTest, ChipGeometryWithAndWithoutBezel) {
    const TagChip plain = TagChip::forRun(cg::Rect(10, 0, 40, 16), false, 8);
    EXPECT_EQ(plain.chip, cg::Rect(8, 2, 48, 26));
    EXPECT_EQ(plain.cornerRadius, 13);
    EXPECT_EQ(plain.text, cg::Rect(10, 7, 40, 16));
    const TagChip bezeled = TagChip::forRun(cg::Rect(10, 0, 40, 16), true, 8);
    EXPECT_EQ(bezeled.chip, cg::Rect(10, 5, 48, 27));
    EXPECT_EQ(bezeled.text, cg::Rect(12, 10, 40, 17));
}

TEST_F(TaggableTest, NoTagDrawsAsThePlainFieldAndATagPaintsItsChip) {
    TaggableTextField field;
    QLineEdit plain;
    for (QLineEdit* f : {static_cast<QLineEdit*>(&field), &plain}) {
        f->setFrame(false);
        f->resize(240, 40);
    }
    plain.setText("red green blue");
    field.setAttributedStringValue("red green blue", {run(0, 3, false)});
    EXPECT_EQ(controlstest::grabImage(field), controlstest::grabImage(plain));

    const cg::Color red = controlstest::rgb(1, 0, 0);
    const TaggedRun tag = run(4, 5, true, red);
    field.setAttributedStringValue("red green blue", {tag});
    const QImage image = controlstest::grabImage(field);
    EXPECT_GT(controlstest::countPixelsNear(image, red, 30), 40);
    EXPECT_EQ(controlstest::countPixelsNear(controlstest::grabImage(plain), red, 30), 0);

    field.setAttributedStringValue("<b>x</b>", {run(0, 99, true)});  // cut to the text, shown as typed
    EXPECT_EQ(field.runs().front().length, 8);
    EXPECT_EQ(field.text(), "<b>x</b>");
}

}  // namespace
