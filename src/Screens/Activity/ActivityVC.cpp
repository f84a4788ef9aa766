// The activity screen's views and its life: building the scene, the embedded children, the reset
// for a new job, and the job starters forwarded to the engine.

#include "Screens/Activity/ActivityVC.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

#include "Controls/PushButton.h"
#include "Controls/SystemAppearance.h"
#include "Extensions/AppGlobals.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/Fonts.h"
#include "Platform/AppKit/LayerPainter.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/StoryboardSegue.h"
#include "Platform/Dispatch/Queue.h"
#include "Screens/Activity/ActivityHooks.h"
#include "Screens/Activity/ActivityHostScreen.h"
#include "Screens/Activity/ActivityImageView.h"
#include "Screens/Activity/ActivityScenes.h"
#include "Screens/Activity/CircularProgressView.h"
#include "Screens/Activity/CloseMark.h"
#include "Screens/Activity/CollectionDoneorSkippedVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/SizeListforResultVC.h"

namespace {

// Lays the counters out as one band of equal boxes across the whole width, whatever their number:
// the ones shown share the row (two while a job runs, four when it is done), and on a screen too narrow
// for them all (the preset list's side panel) they go two to a row. The band's right edge is always the
// table's below it.
class CounterBand final : public QObject {
  public:
    CounterBand(QWidget* container, QGridLayout* grid, std::vector<QWidget*> items)
        : QObject(container), container_(container), grid_(grid), items_(std::move(items)) {
        container->installEventFilter(this);
        // A counter that is shown, hidden or gets a longer text may need another arrangement.
        for (auto* item : items_) item->installEventFilter(this);
        place();
    }

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Resize:
            case QEvent::LayoutRequest:
            case QEvent::ShowToParent:
            case QEvent::HideToParent:
                place();
                break;
            default:
                break;
        }
        return false;
    }

  private:
    void place() {
        std::vector<QWidget*> shown;
        for (auto* item : items_)
            if (!item->isHidden()) shown.push_back(item);
        const int count = static_cast<int>(shown.size());
        int columns = std::max(1, count);
        for (const int candidate : {count, 2, 1}) {
            columns = std::max(1, candidate);
            if (widestBox(shown) * columns + grid_->horizontalSpacing() * (columns - 1) <=
                container_->width())
                break;
        }
        if (shown == placed_ && columns == columns_) return;
        placed_ = shown;
        columns_ = columns;
        for (auto* item : items_) grid_->removeWidget(item);
        for (int i = 0; i < static_cast<int>(items_.size()); ++i)
            grid_->setColumnStretch(i, i < columns ? 1 : 0);
        for (int i = 0; i < count; ++i)
            grid_->addWidget(shown[static_cast<std::size_t>(i)], i / columns, i % columns);
    }

    static int widestBox(const std::vector<QWidget*>& shown) {
        int widest = 0;
        for (auto* item : shown) widest = std::max(widest, item->sizeHint().width());
        return widest;
    }

    QWidget* container_;
    QGridLayout* grid_;
    std::vector<QWidget*> items_;
    std::vector<QWidget*> placed_;
    int columns_ = 0;
};

constexpr int kCounterHeight = 40;

// A faint circle under the progress ring, the path its bar will draw.
class RingGroove final : public QWidget {
  public:
    explicit RingGroove(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }
    void follow(QWidget* ring) {
        ring_ = ring;
        ring->installEventFilter(this);
        setGeometry(ring->geometry());
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (ring_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
            setGeometry(ring_->geometry());
        return false;
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        cg::Color colour = controls::SystemAppearance::labelColor(controls::interfacestyle::current());
        colour.alpha = 0.08;
        p.setPen(QPen(appkit::toQColor(colour), 10));
        const QPointF centre(std::floor(width() * 0.5), std::floor(height() * 0.5));
        p.drawEllipse(centre, 60.0, 60.0);
    }

  private:
    QPointer<QWidget> ring_;
};

// The bar of buttons at the foot of every panel, in every state, under one hairline.
class FooterBar final : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        cg::Color line = controls::SystemAppearance::labelColor(controls::interfacestyle::current());
        line.alpha = 0.12;
        p.fillRect(QRect(0, 0, width(), 1), appkit::toQColor(line));
    }
};

constexpr double kPanelWidth = 320.0;
constexpr double kPanelHeight = 250.0;
constexpr double kRingBoxWidth = 200.0;
constexpr double kRingBoxNarrow = 152.0;
constexpr double kRingSide = 150.0;
constexpr double kLoadingTop = 10.0;
constexpr double kSkipBarHeight = 40.0;
// Below this width the list goes above the preview instead of beside it (the preset list's side panel).
constexpr int kSideBySideWidth = 760;

appkit::View* box(QWidget* parent = nullptr) {
    auto* v = new appkit::View(parent);
    return v;
}

QLabel* plainLabel(QWidget* parent = nullptr) {
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// Calls `onResize` whenever the watched widget changes size.
class ResizeWatch final : public QObject {
  public:
    ResizeWatch(QWidget* watched, std::function<void()> onResize)
        : QObject(watched), onResize_(std::move(onResize)) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) onResize_();
        return false;
    }

  private:
    std::function<void()> onResize_;
};

}  // namespace

ActivityVC::ActivityVC() : ActivityVC(core::BatchEngine::Services{}) {}

ActivityVC::ActivityVC(core::BatchEngine::Services services) : pacer_(std::make_shared<PreviewPacer>()) {
    setIdentifier(ids::scene::ActivityVC);
    registerActivityScenes(appkit::Storyboard::main());
    defaults_ = services.defaults;
    if (!services.pacer) services.pacer = pacer_;
    engine_ = std::make_unique<core::BatchEngine>(this, std::move(services));
}

ActivityVC::~ActivityVC() {
    // The engine goes first: its running job is cancelled and nothing it posted reaches this screen.
    engine_.reset();
    pacer_->skip();
}

void ActivityVC::loadView() {
    auto* root = box();
    root->resize(900, 640);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(screens::kCloseMarkInset, screens::kCloseMarkInset, screens::kCloseMarkInset,
                               screens::kCloseMarkInset);
    column->setSpacing(10);

    auto* headerRow = new QHBoxLayout;
    headerRow->setSpacing(6);
    lblHeader = plainLabel();
    lblHeader->setFont(appkit::systemFont(17, QFont::DemiBold));
    lblHeader->setWordWrap(true);
    lblHeader->setMinimumWidth(1);
    headerRow->addWidget(lblHeader, 1);
    btnCancel = screens::makeCloseMark("Cancel Activity");
    headerRow->addWidget(btnCancel, 0, Qt::AlignTop);
    // The same mark in the same corner once the job has ended: only one of the two is ever shown.
    btnClose = screens::makeCloseMark("Close Activity");
    btnClose->hide();
    headerRow->addWidget(btnClose, 0, Qt::AlignTop);
    QObject::connect(btnClose, &controls::PushButton::clicked, this, [this] { onCancelActivity(); });
    column->addLayout(headerRow);
    lblNextStep_ = plainLabel();
    lblNextStep_->setWordWrap(true);
    lblNextStep_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblNextStep_->hide();
    // Shown only after a job that could not run, right under the message it explains.
    column->addWidget(lblNextStep_);

    // The list and the preview share a row on a wide screen and stack on a narrow one; the row gives
    // its room to the results when the job is done.
    progressArea_ = box();
    auto* progressRow = new QBoxLayout(QBoxLayout::LeftToRight, progressArea_);
    // The row never grows past what the list and the preview can use.
    progressRow->setSizeConstraint(QLayout::SetMinAndMaxSize);
    progressRow->setContentsMargins(0, 0, 0, 0);
    progressRow->setSpacing(12);
    allImageView = box();
    auto* listLayout = new QVBoxLayout(allImageView);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    collImagesContainer = box();
    listLayout->addWidget(collImagesContainer, 1);
    // Once every image of the list has been taken up, the list's place says what is going on.
    lblListStatus_ = plainLabel();
    lblListStatus_->setAlignment(Qt::AlignCenter);
    lblListStatus_->setFont(appkit::systemFont(13, QFont::Medium));
    lblListStatus_->hide();
    listLayout->addWidget(lblListStatus_, 1);
    progressRow->addWidget(allImageView, 1);
    previewView = box();
    previewView->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    buildPreviewPanel(previewView);
    progressRow->addWidget(previewView, 0);
    // The list takes the room it needs before any is left over at the foot of the panel.
    column->addWidget(progressArea_, 1);
    new ResizeWatch(progressArea_, [this, progressRow] {
        const bool wide = progressArea_->width() >= kSideBySideWidth;
        progressRow->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
        // Beside the list the preview starts at its top; below it, it spans the width.
        progressRow->setAlignment(previewView, wide ? Qt::AlignTop : Qt::Alignment());
        previewView->setMinimumWidth(wide ? static_cast<int>(kPanelWidth + kRingBoxWidth) : 0);
        fitImageList();
    });
    new ResizeWatch(previewView, [this] { layoutPreviewArea(); });

    statusView = box();
    buildStatusRow(statusView);
    column->addWidget(statusView);

    tableContainer_ = box();
    auto* tableContainer = tableContainer_;
    cnstPresetListHeight =
        new appkit::LayoutConstraint(tableContainer, appkit::LayoutConstraint::Attribute::Height, 30);
    column->addWidget(tableContainer);

    allResultView = box();
    auto* resultLayout = new QVBoxLayout(allResultView);
    resultLayout->setContentsMargins(0, 0, 0, 0);
    collResultImgContainer = box();
    resultLayout->addWidget(collResultImgContainer);
    column->addWidget(allResultView, 1);
    // Takes the spare room only when nothing else grows (the Rename tab's done state), so the screen
    // keeps its compact top and its buttons at the bottom.
    column->addStretch(0);

    // Every panel ends in the same footer, whose hairline marks where the results end; this marker
    // keeps the Rename tab's done state and takes no room of its own.
    resultorSaveSeparatorView = box();
    resultorSaveSeparatorView->setFixedHeight(0);
    resultorSaveSeparatorView->hide();
    column->addWidget(resultorSaveSeparatorView);

    buildButtons(root);
    setView(root);

    embedScene(ids::scene::CollectionVC, collImagesContainer);
    embedScene(ids::scene::SizeListforResultVC, tableContainer);
    embedSegue(ids::SID_Done, collResultImgContainer);
}

void ActivityVC::fitImageList() {
    if (!allImageView || !lblListStatus_ || !progressArea_ || !previewView) return;
    auto* list = embeddedCollectionVC();
    if (list && watchedList_ != list) {
        watchedList_ = list;
        QObject::connect(list, &screens::CollectionVC::processingListChanged, this,
                         [this] { fitImageList(); });
    }
    const bool empty = !list || !list->collImages || list->collImages->numberOfItems() == 0;
    collImagesContainer->setHidden(empty);
    lblListStatus_->setHidden(!empty);
    lblListStatus_->setText(listEmptiedByWork_ ? "Finishing the last image\u2026"
                                               : "Getting the images ready\u2026");
    const bool wide = progressArea_->width() >= kSideBySideWidth;
    if (wide) {
        // Beside the preview the list is as tall as it: no box reaching down past it.
        allImageView->setFixedHeight(std::max(previewView->height(), 1));
        return;
    }
    if (empty) {
        allImageView->setFixedHeight(lblListStatus_->fontMetrics().height() + 16);
        return;
    }
    // Above the preview, the list is as tall as its tiles, up to two rows (more scroll); on a short
    // panel it gives way down to most of one row.
    const int rows = list->collImages->contentSize().height();
    const int item = static_cast<int>(list->collImages->itemSize().height);
    const int fitted = std::clamp(rows, item + 20, 2 * item + 40);
    allImageView->setMinimumHeight(std::min(fitted, 60));
    allImageView->setMaximumHeight(fitted);
}

void ActivityVC::buildPreviewPanel(appkit::View* container) {
    // The panel and the ring's box share the container: the box sits right of the panel while the
    // panel is open and at the left edge when it is closed. layoutPreviewArea scales the panel into
    // whatever width the screen has.
    previewPanel_ = box(container);
    previewPanel_->setWantsLayer(true);
    previewPanel_->layer()->masksToBounds = true;
    previewPanel_->layer()->cornerRadius = 8;
    previewPanel_->layerDidChange();
    cnstimgProcessHolderWidth = new appkit::LayoutConstraint(
        previewPanel_, [this](double) { layoutPreviewArea(); }, 0);

    imgLoadingView = new ActivityImageView(previewPanel_);
    cnstImgLoadingHeight = new appkit::LayoutConstraint(
        imgLoadingView, [this](double) { layoutPreviewArea(); }, 190);
    bgView = box(previewPanel_);
    bgView->setWantsLayer(true);
    bgView->layer()->backgroundColor = cg::Color::black();
    bgView->layerDidChange();
    bgView->setAlphaValue(0);
    imgProcessingView = new ActivityImageView(previewPanel_);
    frameView = box(previewPanel_);
    frameView->setWantsLayer(true);
    frameView->hide();

    auto* skipBar = box(previewPanel_);
    skipBar->setObjectName("skipBar");
    auto* skipLayout = new QHBoxLayout(skipBar);
    skipLayout->setContentsMargins(8, 4, 8, 4);
    btnSkipPreview = new controls::PushButton("Skip Preview", controls::PushButton::Role::Secondary);
    skipLayout->addStretch(1);
    skipLayout->addWidget(btnSkipPreview);
    skipLayout->addStretch(1);
    QObject::connect(btnSkipPreview, &controls::PushButton::clicked, this,
                     [this] { onSkipPreviewInProcess(); });

    auto* ringBoxView = box(container);
    ringBoxView->setObjectName("ringBox");
    // The groove shows where the ring will run before its bar has moved (its own track is clear).
    auto* groove = new RingGroove(ringBoxView);
    circularViewProgressView = new CircularProgressView(ringBoxView);
    groove->follow(circularViewProgressView);
    circularViewProgressView->resize(static_cast<int>(kRingSide), static_cast<int>(kRingSide));
    // The ring's first subview: the mark of a finished job.
    auto* doneMark = plainLabel();
    doneMark->setText(QString::fromUtf8("\u2713"));
    doneMark->setAlignment(Qt::AlignCenter);
    doneMark->setFont(appkit::systemFont(44, QFont::Bold));
    QPalette markColours = doneMark->palette();
    markColours.setColor(QPalette::WindowText,
                         appkit::toQColor(controls::SystemAppearance::instance().controlAccentColor()));
    doneMark->setPalette(markColours);
    circularViewProgressView->addSubview(doneMark);
    doneMark->setGeometry(0, 0, static_cast<int>(kRingSide), static_cast<int>(kRingSide));
    doneMark->hide();
    // While the job runs, the middle of the ring says what its arc counts: images done of all to do.
    lblRingCount_ = plainLabel(ringBoxView);
    lblRingCount_->setAlignment(Qt::AlignCenter);
    lblRingCount_->setFont(appkit::systemFont(14, QFont::Medium));
    lblRingCount_->setAttribute(Qt::WA_TransparentForMouseEvents);
    layoutPreviewArea();
}

void ActivityVC::layoutPreviewArea() {
    // The constraints report while the panel is still being built.
    if (!previewPanel_ || !previewView || !imgLoadingView || !imgProcessingView || !bgView ||
        !btnSkipPreview || !circularViewProgressView || !cnstImgLoadingHeight || !cnstimgProcessHolderWidth)
        return;
    // The panel keeps its designed proportions and shrinks as a whole when the ring beside it would
    // not fit otherwise; the loading and processed images are placed in the panel's scaled box.
    const double available = std::max(1, previewView->width());
    const double open = std::clamp(cnstimgProcessHolderWidth->constant(), 0.0, kPanelWidth);
    const double ringBoxWidth = available >= kPanelWidth + kRingBoxWidth ? kRingBoxWidth : kRingBoxNarrow;
    // The loading image ends 10 points before the panel does; the ring may use that margin.
    const double scale =
        open > 0
            ? std::clamp((available - std::min(ringBoxWidth, kRingSide + 4)) / (kPanelWidth - 10), 0.3, 1.0)
            : 1.0;
    // Without the preview the row is only as tall as the ring: no empty room where the preview would be.
    const int height = open > 0 ? static_cast<int>(std::max(kPanelHeight * scale, kRingSide + 20))
                                : static_cast<int>(kRingSide + 20);
    previewView->setFixedHeight(height);
    const int panelWidth = static_cast<int>(std::round(open * scale));
    previewPanel_->setGeometry(0, 0, panelWidth, height);
    const QRect imageBox(static_cast<int>(10 * scale), static_cast<int>(kLoadingTop * scale),
                         static_cast<int>(300 * scale),
                         static_cast<int>(std::max(0.0, cnstImgLoadingHeight->constant()) * scale));
    imgLoadingView->setGeometry(imageBox);
    bgView->setGeometry(imageBox);
    if (!processingPlaced_) imgProcessingView->setGeometry(imageBox);
    if (QWidget* bar = btnSkipPreview->parentWidget())
        bar->setGeometry(0, height - static_cast<int>(kSkipBarHeight), static_cast<int>(kPanelWidth * scale),
                         static_cast<int>(kSkipBarHeight));
    if (QWidget* ringBoxView = ringBox()) {
        // The box starts where the loading image's width ends, as the panel's own steps place it.
        // Alone in the row, the ring stands in its middle.
        const int boxX = panelWidth > 0 ? imageBox.width() : 0;
        const int boxWidth =
            panelWidth > 0 ? static_cast<int>(std::min(ringBoxWidth, std::max(kRingSide, available - boxX)))
                           : static_cast<int>(std::max(kRingSide, available));
        ringBoxView->setGeometry(boxX, 0, boxWidth, height);
        // Centred in its box, but never over the loading image's right margin.
        const int clearOfImage = panelWidth > 0 ? static_cast<int>(std::ceil(10 * scale)) + 2 : 0;
        circularViewProgressView->move(std::max(clearOfImage, (boxWidth - static_cast<int>(kRingSide)) / 2),
                                       (height - static_cast<int>(kRingSide)) / 2);
        if (lblRingCount_) {
            lblRingCount_->setGeometry(circularViewProgressView->geometry());
            lblRingCount_->raise();
        }
    }
    fitImageList();
}

void ActivityVC::showResultTableIfFilled() {
    const auto* table = childSizeListforResultVC();
    if (tableContainer_) tableContainer_->setHidden(!table || table->mArrPresetResult.empty());
}

void ActivityVC::buildStatusRow(appkit::View* container) {
    auto* row = new QGridLayout(container);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    auto counter = [&](appkit::View*& holder, QLabel*& label) {
        holder = box(container);
        holder->setWantsLayer(true);
        holder->layer()->cornerRadius = 8;
        holder->layer()->backgroundColor = cg::Color::white(0.5, 0.12);
        holder->layerDidChange();
        // Every counter is one compact box of the same height, running or done, wide or narrow.
        holder->setFixedHeight(kCounterHeight);
        holder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        auto* inner = new QHBoxLayout(holder);
        inner->setContentsMargins(12, 0, 12, 0);
        label = new QLabel;
        label->setTextFormat(Qt::RichText);
        inner->addWidget(label, 1, Qt::AlignVCenter);
    };
    counter(presetCountView, lblPresets);
    counter(imagesCountView, lblImages);
    counter(durationView, lblDuration);
    counter(sizeView, lblSize);
    new CounterBand(container, row, {presetCountView, imagesCountView, durationView, sizeView});
    // Covers nothing the user needs while a job runs; it only keeps the counters from taking clicks.
    btnStatusGuard = new controls::PushButton(QString(), controls::PushButton::Role::Borderless, container);
    btnStatusGuard->setEnabled(false);
    btnStatusGuard->setFixedSize(1, 1);
    btnStatusGuard->setFocusPolicy(Qt::NoFocus);
}

void ActivityVC::buildButtons(appkit::View* root) {
    auto* column = static_cast<QVBoxLayout*>(root->layout());
    saveOrShareView = box();
    auto* share = new QHBoxLayout(saveOrShareView);
    share->setContentsMargins(0, 0, 0, 0);
    share->setSpacing(8);
    btnShowInFinder = new controls::PushButton("Show in Folder");
    btnShare = new controls::PushButton("Share");
    share->addWidget(btnShowInFinder);
    share->addWidget(btnShare);
    share->addStretch(1);
    QObject::connect(btnShowInFinder, &controls::PushButton::clicked, this, [this] { onShowInFinder(); });
    QObject::connect(btnShare, &controls::PushButton::clicked, this, [this] { onShare(btnShare); });

    auto* footer = new FooterBar;
    auto* buttons = new QHBoxLayout(footer);
    buttons->setContentsMargins(0, 10, 0, 0);
    buttons->setSpacing(8);
    buttons->addWidget(saveOrShareView, 1);
    btnDoneOrCancel = new controls::PushButton("CANCEL", controls::PushButton::Role::Primary);
    // One width for both titles, so the bar's main button never changes size between states.
    btnDoneOrCancel->setText("DONE");
    const int doneWidth = btnDoneOrCancel->sizeHint().width();
    btnDoneOrCancel->setText("CANCEL");
    btnDoneOrCancel->setFixedSize(std::max(doneWidth, btnDoneOrCancel->sizeHint().width()),
                                  btnDoneOrCancel->sizeHint().height());
    buttons->addWidget(btnDoneOrCancel, 0, Qt::AlignRight);
    column->addWidget(footer);
    QObject::connect(btnCancel, &controls::PushButton::clicked, this, [this] { onCancelActivity(); });
    QObject::connect(btnDoneOrCancel, &controls::PushButton::clicked, this, [this] { onCancelActivity(); });
}

void ActivityVC::viewDidLoad() {
    view::setBorderColor(*frameView, cg::Color::clear());
    view::setBorderWidth(*frameView, 0);
    resetForNewJob();
    showCloseMark(btnCancel);
    btnStatusGuard->show();
}

void ActivityVC::prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) {
    if (auto* grid = dynamic_cast<CollectionDoneorSkippedVC*>(segue.destinationController()))
        grid->bIsDone = segue.identifier() == ids::SID_Done;
    ViewController::prepareForSegue(segue, sender);
}

SizeListforResultVC* ActivityVC::childSizeListforResultVC() const {
    return firstChild<SizeListforResultVC>();
}

CollectionDoneorSkippedVC* ActivityVC::doneResultsGrid() const {
    for (const auto& child : children())
        if (auto* grid = dynamic_cast<CollectionDoneorSkippedVC*>(child.get()); grid && grid->bIsDone)
            return grid;
    return nullptr;
}

void ActivityVC::collectSourceFiles(const std::vector<core::PresetInfo>& presets,
                                    const std::vector<std::filesystem::path>& urls,
                                    std::optional<std::string> baseName,
                                    std::optional<std::int64_t> startIndex,
                                    std::function<void(std::size_t)> completion) {
    engine_->collectSourceFiles(presets, urls, std::move(baseName), startIndex, std::move(completion));
}

void ActivityVC::startJob(core::JobParameters params) {
    loadViewIfNeeded();
    jobError_.clear();
    jobPresetCount_ = static_cast<int>(params.presets.size());
    engine_->startJob(std::move(params));
    // The engine registers the job a turn of the main queue later: until then the expectation still
    // counts, so that a quit in between asks and stops it.
    if (expectedJob_) {
        expectedJob_->stopAlso(engine_->latestJobCanceller());
        dispatch::Queue::main().async([expected = std::move(expectedJob_)] {});
    }
}

void ActivityVC::resetForNewJob() {
    loadViewIfNeeded();
    // A job still running is cancelled by the engine; its flag stays its own, the new job gets a new one.
    engine_->resetForNewJob();
    jobError_.clear();
    if (circularViewProgressView && circularViewProgressView->bars().size() == 1)
        circularViewProgressView->bars().front()->setProgress(0);
    // The last job's finished mark must not claim that the next one is done.
    if (circularViewProgressView && !circularViewProgressView->subviews().empty())
        circularViewProgressView->subviews().front()->hide();
    btnStatusGuard->show();
    progressArea_->show();
    hidePreviewPanel();
    for (QWidget* w : {static_cast<QWidget*>(allImageView), static_cast<QWidget*>(previewView),
                       static_cast<QWidget*>(statusView), static_cast<QWidget*>(presetCountView),
                       static_cast<QWidget*>(imagesCountView)})
        w->show();
    for (QWidget* w : {static_cast<QWidget*>(allResultView), static_cast<QWidget*>(saveOrShareView),
                       static_cast<QWidget*>(durationView), static_cast<QWidget*>(sizeView)})
        w->hide();
    lblNextStep_->hide();
    // The ready state shows the running mark in the corner where the last job's close mark was.
    showCloseMark(btnCancel);
    lblRingCount_->clear();
    listEmptiedByWork_ = false;
    fitImageList();
    btnDoneOrCancel->setText("CANCEL");
    controls::recolourTitle(*btnDoneOrCancel, cg::Color::whiteColor());
    reloadPresetTable({}, 0);
    makeStatusText("0", "Preset", lblPresets);
    makeStatusText("0", "Image", lblImages);
    makeStatusText("0", "Sec", lblDuration);
    makeStatusText("0.00", "byte", lblSize);
}

void ActivityVC::showCloseMark(controls::PushButton* mark) {
    // Under a panel's own mark this screen's marks are covered: hidden, their room kept, so neither
    // the pointer nor Tab reaches a control the user cannot see.
    const auto* holder = parent();
    const auto* host = holder ? dynamic_cast<const ActivityHostScreen*>(holder->parent()) : nullptr;
    const bool covered = host && host->coversCloseMark();
    QSizePolicy policy = btnCancel->sizePolicy();
    policy.setRetainSizeWhenHidden(covered);
    btnCancel->setSizePolicy(policy);
    for (controls::PushButton* each : {btnCancel, btnClose}) each->setVisible(each == mark && !covered);
}

bool ActivityVC::isRenameTabSelected() const {
    return ActivityHooks::shared().renameTabSelected();
}

foundation::UserDefaults& ActivityVC::defaults() const {
    return defaults_ ? *defaults_ : userDefaults();
}
