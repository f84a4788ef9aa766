// image_list_add [COUNT] [FOLDER]: adds a folder of COUNT photos (10,000 by default; 640 x 480
// JPEGs, made in FOLDER or a temporary folder when missing) to an image list in a shown window, and
// prints how long the user waits: until the call returns, until the list shows every image, until
// the thumbnails in view are in, and until every thumbnail has been in view once (scrolling a
// screen at a time, waiting for each screen). It also prints the longest stall of the event loop
// while the files are collected. Run with QT_QPA_PLATFORM=offscreen or under a display.

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vips/vips8>

#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/ImageItemView.h"
#include "Screens/Activity/ImageListHost.h"
#include "Screens/Activity/ImageListScenes.h"
#include "Support/SyntheticPhoto.h"

namespace fs = std::filesystem;

namespace {

class Pane : public appkit::ViewController, public screens::ImageListHost {
  public:
    screens::ImageListRole imageListRole() const override { return screens::ImageListRole::Advanced; }
};

void makePhotos(const fs::path& folder, int count) {
    fs::create_directories(folder);
    int present = 0;
    for (const auto& entry : fs::directory_iterator(folder)) present += entry.path().extension() == ".jpg";
    if (present >= count) return;
    void* buffer = nullptr;
    size_t length = 0;
    testsupport::syntheticPhoto(640, 480).write_to_buffer(".jpg", &buffer, &length,
                                                          vips::VImage::option()->set("Q", 85));
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%05d.jpg", i);
        std::ofstream(folder / name, std::ios::binary)
            .write(static_cast<const char*>(buffer), std::streamsize(length));
    }
    g_free(buffer);
}

bool visibleThumbnailsIn(screens::CollectionVC& list) {
    for (int index : list.collImages->visibleIndexes()) {
        auto* item = list.collImages->itemAtIndex(index);
        auto* view = item ? qobject_cast<screens::ImageItemView*>(item->view()) : nullptr;
        if (!view || view->thumbnail()->image().isNull()) return false;
    }
    return true;
}

template <class Pred>
void runUntil(Pred done) {
    while (!done()) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    if (VIPS_INIT(argv[0])) return 1;
    dispatch::Queue::setMainBackend(std::make_shared<dispatch::QtMainQueue>());
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const fs::path folder =
        argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "vorta-image-list-bench";
    makePhotos(folder, count);
    screens::registerImageListScenes(appkit::Storyboard::main());

    auto pane = std::make_shared<Pane>();
    auto list = std::make_shared<screens::CollectionVC>();
    pane->addChild(list);
    pane->view()->resize(1000, 700);
    pane->view()->addSubview(list->view());
    list->view()->setGeometry(0, 0, 1000, 700);
    pane->view()->show();
    QApplication::processEvents();

    // The longest gap between two ticks of a 5 ms timer is the longest the interface froze.
    QElapsedTimer tick;
    qint64 longestStall = 0;
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout,
                     [&] { longestStall = std::max(longestStall, tick.restart()); });

    QElapsedTimer clock;
    clock.start();
    list->addImages({folder.string()});
    const double returned = clock.nsecsElapsed() / 1e6;
    tick.start();
    heartbeat.start(5);
    runUntil([&] { return core::sharedImageList().count() >= std::size_t(count); });
    const double usable = clock.nsecsElapsed() / 1e6;
    heartbeat.stop();
    runUntil([&] { return visibleThumbnailsIn(*list); });
    const double firstScreen = clock.nsecsElapsed() / 1e6;

    QScrollBar* bar = list->collImages->verticalScrollBar();
    while (true) {
        runUntil([&] { return visibleThumbnailsIn(*list); });
        if (bar->value() >= bar->maximum()) break;
        bar->setValue(bar->value() + list->collImages->viewport()->height());
    }
    const double all = clock.nsecsElapsed() / 1e6;

    std::printf("images                                 %d\n", count);
    std::printf("addImages returns after                %.1f ms\n", returned);
    std::printf("list shows every image after           %.0f ms\n", usable);
    std::printf("longest event-loop stall meanwhile     %lld ms\n", static_cast<long long>(longestStall));
    std::printf("thumbnails in view are in after        %.0f ms\n", firstScreen);
    std::printf("every thumbnail seen (screen by screen) %.0f ms\n", all);
    list.reset();
    pane.reset();
    dispatch::Queue::setMainBackend(nullptr);
    return 0;
}
