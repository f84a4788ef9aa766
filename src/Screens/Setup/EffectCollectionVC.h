#pragma once
// EffectCollectionVC: the effects grid of the Advanced options pane: the 31 offered effects, each
// shown as a small item with its name and a live thumbnail of the first image of the list (or of a
// sample scene) through that effect. Clicking an item chooses its effect and reports it.
//
// Threading: main thread only. Each thumbnail is rendered on the global queue from a reduced copy
// of the image, never the full photo; results come back to the main queue and are dropped when the
// preview image changed since they were asked for, or the grid has gone.

#include <QPointer>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "Core/Effects/FMFilter.h"
#include "Core/Records/LazyThumbnail.h"
#include "Platform/AppKit/CollectionView.h"
#include "Platform/AppKit/ViewController.h"
#include "Platform/Dispatch/HandOver.h"

class EffectCollectionVC : public appkit::ViewController, public appkit::CollectionViewDataSource {
    Q_OBJECT
  public:
    static constexpr double kItemWidth = 70, kItemHeight = 90;

    EffectCollectionVC();
    ~EffectCollectionVC() override;

    QPointer<appkit::CollectionView> collEffects;
    std::vector<core::FMFilter> availableFilters;
    // Called with every choice, the same effect again included.
    std::function<void(std::shared_ptr<const core::FMFilterable>)> didSelectFilter = [](auto) {};
    int intSelectedNow = 0;
    std::shared_ptr<const core::FMFilterable> filterForUseNow;

    // The reduced copy the thumbnails are made from; absent, or unreadable, shows the sample scene. Renders
    // every visible thumbnail again.
    void setImgToPreviewEffect(std::optional<core::LazyThumbnail> preview);
    const std::optional<core::LazyThumbnail>& imgToPreviewEffect() const { return preview_; }
    // Thumbnails asked for and not yet shown or dropped.
    int pendingThumbnails() const { return pending_; }

    virtual void configureCells(QWidget& itemView, int index);
    virtual void selectEffect(int index);

    // CollectionViewDataSource
    int numberOfItems(appkit::CollectionView& view) override;
    std::shared_ptr<appkit::CollectionViewItem> itemForIndex(appkit::CollectionView& view,
                                                             int index) override;

  protected:
    void loadView() override;
    void viewDidLoad() override;

  private:
    void renderThumbnail(int index, QPointer<QWidget> imageView, double w, double h);
    void showHighlight(int index, bool on);
    void applySelectionLook(QWidget& itemView, bool on);

    // What a render on the global queue reads to skip work nobody will see: the grid has gone, or
    // the preview image changed since the render was asked for.
    // The grid waits for the renders under way when it goes, so none outlives what it uses (the
    // process may be about to end).
    struct RenderState {
        std::atomic<bool> alive{true};
        std::atomic<std::uint64_t> generation{0};
        std::mutex mutex;
        std::condition_variable finished;
        int running = 0;  // guarded by mutex
    };
    // On the global queue: false when the render is not wanted any more.
    static bool startRender(RenderState& state, std::uint64_t generation);
    static void endRender(RenderState& state);

    std::optional<core::LazyThumbnail> preview_;
    std::uint64_t generation_ = 0;  // one more with every new preview image
    std::shared_ptr<RenderState> renderState_ = dispatch::makeVisiblyShared<RenderState>();
    int pending_ = 0;
};
