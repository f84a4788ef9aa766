// The activity screen's views and its life: building the scene, the embedded children, the reset
// for a new job, and the job starters forwarded to the engine.

#include "Screens/Activity/ActivityVC.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Extensions/AppGlobals.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/Fonts.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/StoryboardSegue.h"
#include "Screens/Activity/ActivityHooks.h"
#include "Screens/Activity/ActivityImageView.h"
#include "Screens/Activity/ActivityScenes.h"
#include "Screens/Activity/CircularProgressView.h"
#include "Screens/Activity/CollectionDoneorSkippedVC.h"
#include "Screens/Activity/SizeListforResultVC.h"

namespace {

// Keeps the four counters in one row while they fit and puts them in two rows of two when the screen is
// narrow (the preset list's side panel), so their texts are never cut.
class CounterWrap final : public QObject {
  public:
    static constexpr int kStretchColumn = 4;

    CounterWrap(QWidget* container, QGridLayout* grid, std::vector<QWidget*> items)
        : QObject(container), container_(container), grid_(grid), items_(std::move(items)) {
        container->installEventFilter(this);
        // A counter whose text grows asks for a new layout: it may no longer fit its row.
        for (auto* item : items_) item->installEventFilter(this);
        place();
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest) place();
        return false;
    }

  private:
    void place() {
        const int available = container_->width();
        int columns = static_cast<int>(items_.size());
        for (const int candidate : {static_cast<int>(items_.size()), 2, 1}) {
            columns = candidate;
            if (widestRow(candidate) <= available) break;
        }
        if (columns == columns_) return;
        columns_ = columns;
        for (auto* item : items_) grid_->removeWidget(item);
        for (std::size_t i = 0; i < items_.size(); ++i)
            grid_->addWidget(items_[i], static_cast<int>(i) / columns, static_cast<int>(i) % columns);
    }

    // The width the widest row needs with `columns` counters a row (columns as wide as their widest).
    int widestRow(int columns) const {
        std::vector<int> widths(static_cast<std::size_t>(columns), 0);
        for (std::size_t i = 0; i < items_.size(); ++i) {
            auto& w = widths[i % static_cast<std::size_t>(columns)];
            w = std::max(w, items_[i]->sizeHint().width());
        }
        int total = 0;
        for (const int w : widths) total += w + grid_->horizontalSpacing();
        return total;
    }

    QWidget* container_;
    QGridLayout* grid_;
    std::vector<QWidget*> items_;
    int columns_ = 0;
};

constexpr double kPanelWidth = 320.0;
constexpr double kPanelHeight = 250.0;
constexpr double kRingBoxWidth = 200.0;
constexpr double kLoadingTop = 10.0;

appkit::View* box(QWidget* parent = nullptr) {
    auto* v = new appkit::View(parent);
    return v;
}

QLabel* plainLabel(QWidget* parent = nullptr) {
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QPushButton* mainButton(const QString& title) {
    auto* b = new QPushButton(title);
    b->setStyleSheet(
        "QPushButton { background: #0a84ff; border: none; border-radius: 6px; padding: 7px 22px; "
        "font-weight: bold; }");
    return b;
}

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
    column->setContentsMargins(20, 16, 20, 16);
    column->setSpacing(12);

    lblHeader = plainLabel();
    lblHeader->setFont(appkit::systemFont(18, QFont::DemiBold));
    lblHeader->setWordWrap(true);
    column->addWidget(lblHeader);

    // The list and the preview share a row that gives its room to the results when the job is done.
    progressArea_ = box();
    auto* progressRow = new QHBoxLayout(progressArea_);
    progressRow->setContentsMargins(0, 0, 0, 0);
    progressRow->setSpacing(16);
    allImageView = box();
    auto* listLayout = new QVBoxLayout(allImageView);
    listLayout->setContentsMargins(0, 0, 0, 0);
    collImagesContainer = box();
    listLayout->addWidget(collImagesContainer);
    progressRow->addWidget(allImageView, 1);
    previewView = box();
    previewView->setFixedSize(static_cast<int>(kPanelWidth + kRingBoxWidth), static_cast<int>(kPanelHeight));
    buildPreviewPanel(previewView);
    progressRow->addWidget(previewView, 0, Qt::AlignTop);
    column->addWidget(progressArea_, 1);

    statusView = box();
    buildStatusRow(statusView);
    column->addWidget(statusView);

    auto* tableContainer = box();
    cnstPresetListHeight =
        new appkit::LayoutConstraint(tableContainer, appkit::LayoutConstraint::Attribute::Height, 30);
    column->addWidget(tableContainer);

    allResultView = box();
    auto* resultLayout = new QVBoxLayout(allResultView);
    resultLayout->setContentsMargins(0, 0, 0, 0);
    collResultImgContainer = box();
    resultLayout->addWidget(collResultImgContainer);
    column->addWidget(allResultView, 1);

    resultorSaveSeparatorView = box();
    resultorSaveSeparatorView->setFixedHeight(1);
    resultorSaveSeparatorView->setWantsLayer(true);
    resultorSaveSeparatorView->layer()->backgroundColor = cg::Color::white(0.5, 0.4);
    resultorSaveSeparatorView->layerDidChange();
    resultorSaveSeparatorView->hide();
    column->addWidget(resultorSaveSeparatorView);

    buildButtons(root);
    setView(root);

    embedScene(ids::scene::CollectionVC, collImagesContainer);
    embedScene(ids::scene::SizeListforResultVC, tableContainer);
    embedSegue(ids::SID_Done, collResultImgContainer);
}

void ActivityVC::buildPreviewPanel(appkit::View* container) {
    // The panel and the ring's box share the container: the box sits right of the panel while the
    // panel is open and at the left edge when it is closed.
    auto* panel = box(container);
    panel->setGeometry(0, 0, static_cast<int>(kPanelWidth), static_cast<int>(kPanelHeight));
    panel->setWantsLayer(true);
    panel->layer()->masksToBounds = true;
    panel->layerDidChange();
    cnstimgProcessHolderWidth = new appkit::LayoutConstraint(
        panel, [panel](double w) { panel->setFixedWidth(static_cast<int>(std::max(0.0, w))); }, 0);
    panel->setMinimumWidth(0);

    imgLoadingView = new ActivityImageView(panel);
    imgLoadingView->setGeometry(10, static_cast<int>(kLoadingTop), 300, 190);
    cnstImgLoadingHeight = new appkit::LayoutConstraint(
        imgLoadingView,
        [this](double h) {
            imgLoadingView->setGeometry(10, static_cast<int>(kLoadingTop), 300,
                                        static_cast<int>(std::max(0.0, h)));
        },
        190);
    bgView = box(panel);
    bgView->setGeometry(10, static_cast<int>(kLoadingTop), 300, 190);
    bgView->setWantsLayer(true);
    bgView->layer()->backgroundColor = cg::Color::black();
    bgView->layerDidChange();
    bgView->setAlphaValue(0);
    imgProcessingView = new ActivityImageView(panel);
    imgProcessingView->setGeometry(10, static_cast<int>(kLoadingTop), 300, 190);
    frameView = box(panel);
    frameView->setWantsLayer(true);
    frameView->hide();

    auto* skipBar = box(panel);
    skipBar->setGeometry(0, static_cast<int>(kPanelHeight) - 44, static_cast<int>(kPanelWidth), 44);
    auto* skipLayout = new QHBoxLayout(skipBar);
    skipLayout->setContentsMargins(10, 6, 10, 6);
    btnSkipPreview = new QPushButton("Skip Preview");
    skipLayout->addStretch(1);
    skipLayout->addWidget(btnSkipPreview);
    QObject::connect(btnSkipPreview, &QPushButton::clicked, this, [this] { onSkipPreviewInProcess(); });

    auto* ringBoxView = box(container);
    ringBoxView->setObjectName("ringBox");
    ringBoxView->setGeometry(0, 0, static_cast<int>(kRingBoxWidth), static_cast<int>(kPanelHeight));
    circularViewProgressView = new CircularProgressView(ringBoxView);
    circularViewProgressView->setGeometry(25, 50, 150, 150);
    // The ring's first subview: the mark of a finished job.
    auto* doneMark = plainLabel();
    doneMark->setText(QString::fromUtf8("\u2713"));
    doneMark->setAlignment(Qt::AlignCenter);
    doneMark->setFont(appkit::systemFont(44, QFont::Bold));
    doneMark->setStyleSheet("color: #0a84ff");
    circularViewProgressView->addSubview(doneMark);
    doneMark->setGeometry(0, 0, 150, 150);
    doneMark->hide();
}

void ActivityVC::buildStatusRow(appkit::View* container) {
    auto* row = new QGridLayout(container);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    auto counter = [&](appkit::View*& holder, QLabel*& label) {
        holder = box();
        holder->setWantsLayer(true);
        holder->layer()->cornerRadius = 8;
        holder->layer()->backgroundColor = cg::Color::white(0.5, 0.12);
        holder->layerDidChange();
        auto* inner = new QHBoxLayout(holder);
        inner->setContentsMargins(12, 6, 12, 6);
        label = new QLabel;
        label->setTextFormat(Qt::RichText);
        inner->addWidget(label);
    };
    counter(presetCountView, lblPresets);
    counter(imagesCountView, lblImages);
    counter(durationView, lblDuration);
    counter(sizeView, lblSize);
    new CounterWrap(container, row, {presetCountView, imagesCountView, durationView, sizeView});
    row->setColumnStretch(CounterWrap::kStretchColumn, 1);
    // Covers nothing the user needs while a job runs; it only keeps the counters from taking clicks.
    btnStatusGuard = new QPushButton;
    btnStatusGuard->setFlat(true);
    btnStatusGuard->setEnabled(false);
    btnStatusGuard->setFixedSize(1, 1);
    row->addWidget(btnStatusGuard, 0, CounterWrap::kStretchColumn);
}

void ActivityVC::buildButtons(appkit::View* root) {
    auto* column = static_cast<QVBoxLayout*>(root->layout());
    saveOrShareView = box();
    auto* share = new QHBoxLayout(saveOrShareView);
    share->setContentsMargins(0, 0, 0, 0);
    btnShowInFinder = new QPushButton("Show in Folder");
    btnShare = new QPushButton("Share");
    share->addWidget(btnShowInFinder);
    share->addWidget(btnShare);
    share->addStretch(1);
    QObject::connect(btnShowInFinder, &QPushButton::clicked, this, [this] { onShowInFinder(); });
    QObject::connect(btnShare, &QPushButton::clicked, this, [this] { onShare(btnShare); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveOrShareView, 1);
    btnCancel = new QPushButton(QString::fromUtf8("\u2715"));
    btnCancel->setFlat(true);
    btnCancel->setToolTip("Cancel");
    btnDoneOrCancel = mainButton("CANCEL");
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnDoneOrCancel);
    column->addLayout(buttons);
    QObject::connect(btnCancel, &QPushButton::clicked, this, [this] { onCancelActivity(); });
    QObject::connect(btnDoneOrCancel, &QPushButton::clicked, this, [this] { onCancelActivity(); });
}

void ActivityVC::viewDidLoad() {
    view::setBorderColor(*frameView, cg::Color::clear());
    view::setBorderWidth(*frameView, 0);
    resetForNewJob();
    btnCancel->show();
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
    engine_->startJob(std::move(params));
}

void ActivityVC::resetForNewJob() {
    loadViewIfNeeded();
    // A job still running is cancelled by the engine; its flag stays its own, the new job gets a new one.
    engine_->resetForNewJob();
    jobError_.clear();
    if (circularViewProgressView && circularViewProgressView->bars().size() == 1)
        circularViewProgressView->bars().front()->setProgress(0);
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
    btnDoneOrCancel->setText("CANCEL");
    btnDoneOrCancel->setStyleSheet(btnDoneOrCancel->styleSheet() + "QPushButton { color: white; }");
    reloadPresetTable({}, 0);
    makeStatusText("0", "Preset", lblPresets);
    makeStatusText("0", "Image", lblImages);
    makeStatusText("0", "Sec", lblDuration);
    makeStatusText("0.00", "byte", lblSize);
}

bool ActivityVC::isRenameTabSelected() const {
    return ActivityHooks::shared().renameTabSelected();
}

foundation::UserDefaults& ActivityVC::defaults() const {
    return defaults_ ? *defaults_ : userDefaults();
}
