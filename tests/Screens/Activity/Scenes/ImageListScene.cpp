// imagelist_scenes OUTDIR STYLE: fills an image list with 30 generated photos through its own add
// path and renders it as the Advanced tab's grid (two items marked, one selected) and as the Rename
// tab's table, in the light or dark style: OUTDIR/image-list-grid-STYLE.png and
// OUTDIR/image-list-table-STYLE.png.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>
#include <vips/vips8>

#include "Controls/ScrollBarStyle.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/ImageItemView.h"
#include "Screens/Activity/ImageListHost.h"
#include "Screens/Activity/ImageListScenes.h"
#include "Support/SceneStyle.h"
#include "Support/SyntheticPhoto.h"
#include "Support/TempDir.h"

namespace {

class Pane : public appkit::ViewController, public screens::ImageListHost {
  public:
    explicit Pane(screens::ImageListRole role, bool dark) : role_(role), dark_(dark) {}
    screens::ImageListRole imageListRole() const override { return role_; }
    std::shared_ptr<screens::CollectionVC> list = std::make_shared<screens::CollectionVC>();

  protected:
    void loadView() override {
        auto* root = new appkit::View;
        root->resize(900, 600);
        root->setWantsLayer(true);
        root->layer()->backgroundColor =
            dark_ ? cg::Color{0.17, 0.17, 0.18, 1} : cg::Color{0.97, 0.97, 0.98, 1};
        root->layerDidChange();
        setView(root);
        addChild(list);
        list->view()->resize(900, 600);
        root->addSubview(list->view());
        list->view()->setAutoresizingMask(appkit::Autoresizing::WidthSizable |
                                          appkit::Autoresizing::HeightSizable);
    }

  private:
    screens::ImageListRole role_;
    bool dark_;
};

// 30 photos of one synthetic scene, each cut from another place, tinted and sized differently.
std::vector<std::string> makePhotos(const std::filesystem::path& folder) {
    const vips::VImage scene = testsupport::syntheticPhoto(1200, 800);
    for (int i = 0; i < 30; ++i) {
        const int w = 480 + (i % 4) * 80, h = i % 3 == 0 ? 640 : 360;
        const int x = (i * 97) % (1200 - w), y = (i * 53) % (800 - h);
        const std::vector<double> tint = {1.0 + 0.25 * std::sin(i), 1.0 + 0.2 * std::cos(i * 1.7),
                                          1.0 + 0.25 * std::sin(i * 0.6 + 2)};
        char name[32];
        std::snprintf(name, sizeof name, "DSC_%04d.jpg", 1201 + i);
        scene.extract_area(x, y, w, h)
            .linear(tint, {0, 0, 0})
            .cast(VIPS_FORMAT_UCHAR)
            .write_to_file((folder / name).c_str());
    }
    return {folder.string()};
}

bool thumbnailsIn(screens::CollectionVC& list) {
    const bool grid = !list.collImages->isHidden();
    for (int i = 0; i < list.displayedCount(); ++i) {
        QWidget* shown = nullptr;
        if (grid) {
            auto* item = list.collImages->itemAtIndex(i);
            shown = item ? item->view() : nullptr;
        } else {
            shown = list.tableView->viewAtRow(i);
        }
        auto* view = qobject_cast<screens::ImageItemView*>(shown);
        if (view && view->thumbnail()->image().isNull()) return false;
    }
    return true;
}

void waitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 20000) QApplication::processEvents(QEventLoop::AllEvents, 10);
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

bool render(screens::ImageListRole role, bool dark, const std::vector<std::string>& urls,
            const QString& file) {
    core::sharedImageList().removeAll();
    auto pane = std::make_shared<Pane>(role, dark);
    appkit::Window window;
    window.setWindowTitle("Vorta");
    window.setContentViewController(pane);
    window.resize(900, 600);
    window.show();
    screens::CollectionVC& list = *pane->list;
    if (role == screens::ImageListRole::Advanced) list.frameSize = 150;
    list.addImages(urls);
    waitFor([] { return core::sharedImageList().count() == 30; });
    if (role == screens::ImageListRole::Advanced) {
        list.arrItemsInt = {1, 4};
        list.collImages->setSelectionIndexes({6});
        list.applyGridSelectionChange({6}, true);
        list.reloadAllItems();
    } else {
        list.tableView->selectRowIndexes({2}, false);
    }
    waitFor([&] { return !list.bAddingImagesNow && thumbnailsIn(list); });
    if (!window.grab().save(file)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    if (argc < 3 || VIPS_INIT(argv[0])) {
        std::fprintf(stderr, "usage: imagelist_scenes OUTDIR light|dark\n");
        return 2;
    }
    dispatch::Queue::setMainBackend(std::make_shared<dispatch::QtMainQueue>());
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString style = QString(argv[2]) == "dark" ? "dark" : "light";
    testsupport::applySceneStyle(app, style == "dark", new controls::ScrollBarStyle);
    QDir().mkpath(out);
    screens::registerImageListScenes(appkit::Storyboard::main());

    testsupport::TempDir photos;
    const auto urls = makePhotos(photos.path());
    const bool ok = render(screens::ImageListRole::Advanced, style == "dark", urls,
                           out + "/image-list-grid-" + style + ".png") &&
                    render(screens::ImageListRole::Rename, style == "dark", urls,
                           out + "/image-list-table-" + style + ".png");
    core::sharedImageList().removeAll();
    dispatch::Queue::setMainBackend(nullptr);
    return ok ? 0 : 1;
}
