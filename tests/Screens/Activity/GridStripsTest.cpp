// What a user reads on a grid item: the name and size strips lie on the picture, as wide as it, hide
// no more than a quarter of it, and read at 4.5:1 or better over a white, a black and a busy photo,
// in the light and the dark style.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPainter>

#include "Controls/SystemAppearance.h"
#include "Screens/Activity/ImageItemView.h"
#include "Screens/Activity/ImageWell.h"
#include "Support/SceneStyle.h"
#include "Support/TextContrast.h"

namespace {

QImage photo(const char* kind, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    if (QString(kind) == "white") {
        image.fill(Qt::white);
    } else if (QString(kind) == "black") {
        image.fill(Qt::black);
    } else {
        QPainter p(&image);
        QLinearGradient sky(0, 0, size.width(), size.height());
        sky.setColorAt(0, QColor(250, 250, 210));
        sky.setColorAt(1, QColor(40, 200, 120));
        p.fillRect(image.rect(), sky);
    }
    return image;
}

}  // namespace

TEST(GridStrips, NameAndSizeReadOnAnyPhotoAndSpanThePicture) {
    const QPalette original = QApplication::palette();
    for (const bool dark : {false, true}) {
        testsupport::applySceneStyle(*qApp, dark);
        for (const char* kind : {"white", "black", "busy"}) {
            for (const QSize shape : {QSize(300, 200), QSize(200, 300)}) {
                SCOPED_TRACE(std::string(dark ? "dark " : "light ") + kind + " " +
                             std::to_string(shape.width()) + "x" + std::to_string(shape.height()));
                screens::ImageItemView item(screens::ImageItemView::Form::Grid);
                item.resize(160, 160);
                item.nameLabel()->setText("IMG_4101.jpg");
                item.sizeLabel()->setText("329 KB");
                item.thumbnail()->setImage(photo(kind, shape));
                item.layoutParts();
                item.show();
                QApplication::processEvents();
                const QImage shot = item.grab().toImage();
                const QRect picture = item.thumbnail()->imageRect().translated(item.thumbnail()->pos());
                int covered = 0;
                for (QLabel* strip : {item.nameLabel(), item.sizeLabel()}) {
                    ASSERT_TRUE(strip->isVisibleTo(&item)) << strip->text().toStdString() << " not shown";
                    EXPECT_TRUE(picture.contains(strip->geometry())) << "a strip hangs off the picture";
                    EXPECT_EQ(strip->width(), picture.width()) << "a strip is not as wide as its picture";
                    EXPECT_GE(testsupport::textContrast(shot.copy(strip->geometry())), 4.5)
                        << strip->text().toStdString();
                    covered += strip->height();
                }
                EXPECT_LE(covered * 4, picture.height())
                    << "the strips hide more than a quarter of the picture";
            }
        }
        // A small thumbnail, as in a list zoomed out: one line, the name, on a quarter at most.
        for (const QSize shape : {QSize(300, 200), QSize(200, 300)}) {
            SCOPED_TRACE(std::string(dark ? "dark small " : "light small ") + std::to_string(shape.width()));
            screens::ImageItemView item(screens::ImageItemView::Form::Grid);
            item.resize(100, 70);
            item.nameLabel()->setText("photo1.jpg");
            item.sizeLabel()->setText("374 KB");
            item.thumbnail()->setImage(photo("busy", shape));
            item.layoutParts();
            const QRect picture = item.thumbnail()->imageRect().translated(item.thumbnail()->pos());
            ASSERT_TRUE(item.nameLabel()->isVisibleTo(&item));
            EXPECT_GE(item.nameLabel()->height(), picture.height() / 4 - 1) << "the one line is not squeezed";
            int covered = 0;
            for (QLabel* strip : {item.nameLabel(), item.sizeLabel()})
                if (strip->isVisibleTo(&item)) covered += strip->height();
            EXPECT_LE(covered * 4, picture.height());
        }
    }
    QApplication::setPalette(original);
}
