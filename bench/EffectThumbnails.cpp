// effect_thumbnails [WIDTH HEIGHT]: how long the Advanced tab's effects grid takes to fill all 31
// effect thumbnails when the first image of the list is a large photo (24 megapixels, 6000 x 4000
// by default, written as a JPEG). Each run starts from the file, as a newly added image does: the
// reduced copy is made (shrink-on-load), then the 31 effects are rendered on the global queue and
// shown. Prints every run and the median of five. Run with QT_QPA_PLATFORM=offscreen.

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>
#include <vips/vips8>

#include "Core/Records/LazyThumbnail.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"
#include "Screens/Setup/EffectCollectionVC.h"
#include "Support/SyntheticPhoto.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    const int width = argc > 2 ? std::atoi(argv[1]) : 6000;
    const int height = argc > 2 ? std::atoi(argv[2]) : 4000;
    dispatch::Queue::setMainBackend(std::make_shared<dispatch::QtMainQueue>());
    QTemporaryDir dir;
    const std::string photo = dir.filePath("large.jpg").toStdString();
    testsupport::syntheticPhoto(width, height).jpegsave(photo.c_str(), vips::VImage::option()->set("Q", 90));

    auto grid = std::make_shared<EffectCollectionVC>();
    QWidget* view = grid->view();
    view->resize(560, 520);  // every one of the 31 items in sight
    view->show();
    QApplication::processEvents();
    grid->setImgToPreviewEffect(std::nullopt);
    while (grid->pendingThumbnails() > 0) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);

    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        grid->setImgToPreviewEffect(core::LazyThumbnail(photo, 200));
        const int asked = grid->pendingThumbnails();
        while (grid->pendingThumbnails() > 0) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        runs.push_back(timer.nsecsElapsed() / 1e6);
        std::printf("run %d: %d thumbnails from a %d x %d JPEG in %.0f ms\n", run + 1, asked, width, height,
                    runs.back());
    }
    std::sort(runs.begin(), runs.end());
    std::printf("median: %.0f ms\n", runs[runs.size() / 2]);
    dispatch::Queue::setMainBackend(nullptr);
    return 0;
}
