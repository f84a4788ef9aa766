#include <gtest/gtest.h>

#include <QFontInfo>

#include "Platform/AppKit/Fonts.h"
#include "Platform/AppKit/NamedImage.h"
#include "Support/TempDir.h"

using namespace appkit;

namespace {

TEST(ResourcesTest, NamedImagesComeFromTheBundlesResources) {
    testsupport::TempDir dir;
    QImage select(8, 6, QImage::Format_ARGB32);
    select.fill(Qt::red);
    ASSERT_TRUE(select.save(QString::fromStdString((dir / "select.png").string())));
    const foundation::Bundle bundle(std::nullopt, dir.path());
    const QImage found = imageNamed("select", bundle);
    ASSERT_FALSE(found.isNull());
    EXPECT_EQ(found.size(), QSize(8, 6));
    EXPECT_TRUE(imageNamed("deselect", bundle).isNull());
    EXPECT_TRUE(imageNamed("../select", bundle).isNull());
}

TEST(ResourcesTest, FontSizesArePixelSizes) {
    EXPECT_EQ(systemFont(13).pixelSize(), 13);
    EXPECT_EQ(boldSystemFont(22).weight(), QFont::Bold);
    EXPECT_EQ(font("No Such Family", 12).pixelSize(), 12);
    EXPECT_EQ(QFontInfo(font("No Such Family", 12)).pixelSize(), 12) << "falls back to a real font";
    EXPECT_EQ(systemFont(0).pixelSize(), 1);
}

}  // namespace
