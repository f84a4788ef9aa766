#include "Screens/Setup/EffectCollectionVC.h"

#include <QLabel>
#include <QVBoxLayout>

#include "Controls/Button.h"
#include "Controls/ButtonTextColor.h"
#include "Controls/ViewAccent.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/ImageConversion.h"
#include "Platform/AppKit/LayerPainter.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/Dispatch/HandOver.h"
#include "Platform/Dispatch/Queue.h"
#include "Platform/Graphics/SystemColors.h"
#include "Screens/Setup/EffectThumbnail.h"
#include "Screens/Setup/SetupControls.h"

namespace {

constexpr int kImageSide = 62;

// An effect item: (0) the highlight, (1) the thumbnail, (2) the name, (3) the button over it all.
class EffectItem : public appkit::CollectionViewItem {
  protected:
    void loadView() override {
        auto* root = new appkit::View;
        root->resize(int(EffectCollectionVC::kItemWidth), int(EffectCollectionVC::kItemHeight));
        auto* highlight = new appkit::View;
        view::setCornerRadius(*highlight, 8);
        auto* picture = new QLabel;
        picture->setFixedSize(kImageSide, kImageSide);
        picture->setScaledContents(false);
        picture->setAlignment(Qt::AlignCenter);
        auto* name = setup::makeCaption(QString(), 10);
        name->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        auto* button = new controls::Button;
        button->setBordered(false);
        button->setCursor(Qt::PointingHandCursor);
        for (QWidget* w : {static_cast<QWidget*>(highlight), static_cast<QWidget*>(picture),
                           static_cast<QWidget*>(name), static_cast<QWidget*>(button)})
            root->addSubview(w);
        highlight->setGeometry(0, 0, root->width(), root->height());
        picture->setGeometry(4, 4, kImageSide, kImageSide);
        name->setGeometry(0, kImageSide + 8, root->width(), 16);
        button->setGeometry(0, 0, root->width(), root->height());
        setView(root);
    }
};

QLabel* thumbnailView(QWidget& itemView) {
    auto* v = qobject_cast<appkit::View*>(&itemView);
    const auto subviews = v ? v->subviews() : std::vector<QWidget*>{};
    return subviews.size() > 1 ? qobject_cast<QLabel*>(subviews[1]) : nullptr;
}

}  // namespace

EffectCollectionVC::EffectCollectionVC() {
    setIdentifier("EffectCollectionVC");
    appkit::Storyboard& board = appkit::Storyboard::main();
    if (!board.hasController(ids::imagePreview))
        board.registerController(ids::imagePreview, [] { return std::make_shared<EffectItem>(); });
}

EffectCollectionVC::~EffectCollectionVC() {
    {
        // At most one render per worker is under way; each takes milliseconds on a reduced copy.
        dispatch::VisibleLock lock(renderState_->mutex);
        renderState_->alive = false;
        lock.waitFor(renderState_->finished, std::chrono::seconds(5),
                     [&] { return renderState_->running == 0; });
    }
    if (collEffects) collEffects->setDataSource(nullptr);
    // A render ending now may drop the last reference to the state.
    dispatch::beforeHandOver(renderState_.get());
}

void EffectCollectionVC::loadView() {
    auto* root = new appkit::View;
    auto* fill = new QVBoxLayout(root);
    fill->setContentsMargins(0, 0, 0, 0);
    collEffects = new appkit::CollectionView(root);
    collEffects->setItemSize({kItemWidth, kItemHeight});
    collEffects->setSpacing(6, 6);
    collEffects->setInsets(6, 6, 6, 6);
    collEffects->setSelectable(false);
    collEffects->setFrameShape(QFrame::NoFrame);
    collEffects->setAccessibleName(QStringLiteral("Effects"));
    fill->addWidget(collEffects);
    setView(root);
}

void EffectCollectionVC::viewDidLoad() {
    if (availableFilters.empty()) availableFilters = core::FMFilter::allFilters();
    collEffects->setDataSource(this);
    collEffects->reloadData();
}

void EffectCollectionVC::setImgToPreviewEffect(std::optional<core::LazyThumbnail> preview) {
    preview_ = std::move(preview);
    renderState_->generation = ++generation_;
    if (collEffects) collEffects->reloadData();
}

int EffectCollectionVC::numberOfItems(appkit::CollectionView&) {
    return static_cast<int>(availableFilters.size());
}

std::shared_ptr<appkit::CollectionViewItem> EffectCollectionVC::itemForIndex(appkit::CollectionView& view,
                                                                             int index) {
    auto item = view.makeItem(ids::imagePreview, index);
    if (item && index >= 0 && index < static_cast<int>(availableFilters.size()))
        configureCells(*item->view(), index);
    return item;
}

void EffectCollectionVC::configureCells(QWidget& itemView, int index) {
    auto* root = qobject_cast<appkit::View*>(&itemView);
    if (!root) return;
    const auto subviews = root->subviews();
    if (subviews.size() < 4) return;
    if (QLabel* picture = thumbnailView(itemView))
        renderThumbnail(index, picture, picture->width(), picture->height());
    if (auto* name = qobject_cast<QLabel*>(subviews[2])) {
        const auto& filter = availableFilters[static_cast<std::size_t>(index)];
        name->setText(QString::fromStdString(filter.displayName()));
        name->setAccessibleName(name->text());
    }
    if (auto* button = qobject_cast<controls::Button*>(subviews[3])) {
        appkit::View::setAccessibilityValueOf(button, QVariantList{index});
        button->setAccessibleName(QString::fromStdString(availableFilters[std::size_t(index)].displayName()));
        button->setAction([this, index](controls::ButtonBase&) { selectEffect(index); });
    }
    applySelectionLook(itemView, index == intSelectedNow);
}

void EffectCollectionVC::applySelectionLook(QWidget& itemView, bool on) {
    auto* root = qobject_cast<appkit::View*>(&itemView);
    const auto subviews = root ? root->subviews() : std::vector<QWidget*>{};
    if (subviews.size() < 4) return;
    if (auto* highlight = qobject_cast<appkit::View*>(subviews[0]))
        view::setBackground(*highlight, on ? std::optional(setup::accentColour()) : std::nullopt);
    if (auto* name = qobject_cast<QLabel*>(subviews[2])) {
        QPalette palette = name->palette();
        palette.setColor(QPalette::WindowText,
                         on ? QColor(Qt::white) : root->palette().color(QPalette::WindowText));
        name->setPalette(palette);
    }
}

bool EffectCollectionVC::startRender(RenderState& state, std::uint64_t generation) {
    const dispatch::VisibleLock lock(state.mutex);
    if (!state.alive || state.generation != generation) return false;
    ++state.running;
    return true;
}

void EffectCollectionVC::endRender(RenderState& state) {
    {
        const dispatch::VisibleLock lock(state.mutex);
        --state.running;
    }
    state.finished.notify_all();
}

void EffectCollectionVC::renderThumbnail(int index, QPointer<QWidget> imageView, double w, double h) {
    if (index < 0 || index >= static_cast<int>(availableFilters.size())) return;
    const core::FMFilter effect = availableFilters[static_cast<std::size_t>(index)];
    const std::optional<core::LazyThumbnail> preview = preview_;
    const std::uint64_t generation = generation_;
    ++pending_;
    QPointer<EffectCollectionVC> self(this);
    dispatch::Queue::global().async(
        [self, state = renderState_, preview, effect, w, h, generation, imageView] {
            QImage pixels;
            if (startRender(*state, generation)) {
                // The reduced copy is made once, by whichever thumbnail asks first.
                std::optional<image::Image> source = preview ? preview->image() : std::nullopt;
                // A first image that cannot be read shows the sample scene, as an empty list does.
                if (!source) source = appkit::fromQImage(setup::sampleEffectScene());
                std::optional<image::Image> thumb;
                if (source) thumb = setup::renderEffectThumbnail(*source, effect, {w, h});
                if (thumb) pixels = appkit::toQImage(*thumb);
                endRender(*state);
            }
            dispatch::Queue::main().async([self, imageView, generation, pixels = std::move(pixels)] {
                if (!self) return;
                --self->pending_;
                if (generation != self->generation_ || !imageView) return;  // a stale render
                auto* label = qobject_cast<QLabel*>(imageView.data());
                if (!label) return;
                if (pixels.isNull()) {
                    label->clear();
                    return;
                }
                // Centred: the cover size is at least the view's in both directions.
                const QRect crop((pixels.width() - label->width()) / 2,
                                 (pixels.height() - label->height()) / 2, label->width(), label->height());
                label->setPixmap(QPixmap::fromImage(pixels.copy(crop)));
            });
        });
}

void EffectCollectionVC::showHighlight(int index, bool on) {
    appkit::CollectionViewItem* item = collEffects ? collEffects->itemAtIndex(index) : nullptr;
    if (item) applySelectionLook(*item->view(), on);
}

void EffectCollectionVC::selectEffect(int index) {
    if (index < 0 || index >= static_cast<int>(availableFilters.size())) return;
    const int previous = intSelectedNow;
    intSelectedNow = index;
    filterForUseNow = core::FMFilter::shared(availableFilters[static_cast<std::size_t>(index)]);
    showHighlight(index, true);
    if (previous != index && previous >= 0 && previous < static_cast<int>(availableFilters.size()))
        showHighlight(previous, false);
    didSelectFilter(filterForUseNow);
}
