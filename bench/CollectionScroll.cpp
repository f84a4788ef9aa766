// collection_scroll: scrolls a collection view of 10,000 items from top to bottom, a screen at a
// time and then in small steps, and prints the time per step and the item controllers made.
// Run with QT_QPA_PLATFORM=offscreen or under a display.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QScrollBar>
#include <cstdio>

#include "Platform/AppKit/CollectionView.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/Dispatch/BackgroundWork.h"

using namespace appkit;

namespace {

class Item : public CollectionViewItem {
  protected:
    void loadView() override {
        auto* v = new View;
        v->resize(110, 110);
        v->setWantsLayer(true);
        v->layer()->cornerRadius = 8;
        v->layer()->borderWidth = 1;
        v->layer()->borderColor = cg::Color{0.8, 0.8, 0.8, 1};
        new QLabel("IMG_0001.jpg", v);
        setView(v);
    }
};

class Source : public CollectionViewDataSource {
  public:
    int numberOfItems(CollectionView&) override { return 10000; }
    std::shared_ptr<CollectionViewItem> itemForIndex(CollectionView& view, int index) override {
        ++made;
        return view.makeItem("item", index);
    }
    long made = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    Storyboard board("Bench");
    board.registerController("item", [] { return std::make_shared<Item>(); });
    Source source;
    CollectionView view;
    view.setStoryboard(&board);
    view.setDataSource(&source);
    view.setItemSize({110, 110});
    view.resize(960, 640);
    view.show();
    view.reloadData();
    QApplication::processEvents();

    for (int step : {view.viewport()->height(), 40}) {
        QElapsedTimer timer;
        timer.start();
        int steps = 0;
        for (int value = 0; value <= view.verticalScrollBar()->maximum(); value += step, ++steps) {
            view.verticalScrollBar()->setValue(value);
            view.viewport()->repaint();
        }
        const double ms = timer.nsecsElapsed() / 1e6;
        std::printf("step %4d px: %6d steps, %.3f ms per step (paint included), %ld items made so far\n",
                    step, steps, ms / steps, source.made);
    }
    return 0;
}
