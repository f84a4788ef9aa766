#include "Screens/Activity/SizeListforResultVC.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include "Controls/PushButton.h"
#include "Controls/TableRowView.h"

#include "Extensions/StringCase.h"
#include "Extensions/StringLines.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Activity/ActivityHooks.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/PresetResults.h"

namespace {

constexpr int kCaptionHeight = 30;
constexpr int kOpenSide = 28;

// A section caption in the secondary text colour of whichever style the window has now.
class CaptionLabel final : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QColor ink = palette().color(QPalette::WindowText);
        ink.setAlphaF(0.55f);
        painter.setPen(ink);
        painter.setFont(font());
        painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
    }
};

}  // namespace

void SizeListforResultVC::loadView() {
    auto* root = new appkit::View;
    auto* layout = new QVBoxLayout(root);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The table is given room for a caption above its rows: the rows sit right under it, with no
    // empty strip below the last one.
    auto* caption = new CaptionLabel(QStringLiteral("Results"));
    caption->setObjectName("caption");
    caption->setTextFormat(Qt::PlainText);
    caption->setFixedHeight(kCaptionHeight);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    caption->setContentsMargins(2, 0, 0, 6);
    QFont captionFont = caption->font();
    captionFont.setPixelSize(11);
    captionFont.setWeight(QFont::DemiBold);
    caption->setFont(captionFont);
    layout->addWidget(caption);
    tblView = new appkit::TableView;
    tblView->setDataSource(this);
    tblView->setRowHeight(40);
    layout->addWidget(tblView);
    setView(root);
}

void SizeListforResultVC::viewDidLoad() {
    reloadTable();
}

void SizeListforResultVC::reloadTable() {
    if (!tblView) return;
    tblView->reloadData();
    // Without rows the room is the caption's alone: no empty table under it.
    tblView->setHidden(mArrPresetResult.empty());
}

int SizeListforResultVC::numberOfRows(appkit::TableView&) {
    return static_cast<int>(mArrPresetResult.size());
}

QWidget* SizeListforResultVC::rowViewForRow(appkit::TableView&, int) {
    return controls::makeListRow();
}

QWidget* SizeListforResultVC::viewForRow(appkit::TableView&, int row) {
    return makeResultCell(row);
}

namespace {

// Sends a press anywhere on a row (a left click released inside it) to the row's button.
class WholeRowPress final : public QObject {
  public:
    WholeRowPress(QWidget* row, controls::PushButton* button) : QObject(row), row_(row), button_(button) {
        row->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) return true;
        if (event->type() != QEvent::MouseButtonRelease) return false;
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton && row_->rect().contains(release->position().toPoint()) &&
            button_)
            button_->click();
        return true;
    }

  private:
    QWidget* row_;
    QPointer<controls::PushButton> button_;
};

}  // namespace

QString SizeListforResultVC::displayName(const std::string& presetName, const QString& fallback) {
    std::string name = str::trimmed(presetName);
    if (name.empty()) return fallback;
    str::uppercaseFirstCharacter(name);
    return QString::fromStdString(name);
}

QWidget* SizeListforResultVC::makeResultCell(int row) {
    auto* cell = new appkit::View;
    auto* layout = new QHBoxLayout(cell);
    layout->setContentsMargins(12, 4, 8, 4);
    auto* name = new QLabel;
    name->setTextFormat(Qt::PlainText);
    appkit::View::setTagOf(name, 1);
    auto* count = new QLabel;
    count->setTextFormat(Qt::PlainText);
    appkit::View::setTagOf(count, 2);
    auto* open = new controls::PushButton(QString::fromUtf8("\u203A"), controls::PushButton::Role::Secondary);
    // A chevron large enough to read as the way in, on a drawn target a pointer finds easily.
    QFont chevron = open->font();
    chevron.setPixelSize(20);
    open->setFont(chevron);
    open->setText(QString::fromUtf8("\u203A"));
    open->setAccessibleName("Show Results");
    open->setFixedSize(kOpenSide, kOpenSide);
    appkit::View::setTagOf(open, 3);
    // Subviews first, so the cell finds them by tag; the layout only places them.
    for (QWidget* w :
         {static_cast<QWidget*>(name), static_cast<QWidget*>(count), static_cast<QWidget*>(open)})
        cell->addSubview(w);
    layout->addWidget(name, 1);
    layout->addWidget(count);
    layout->addWidget(open, 0, Qt::AlignVCenter);
    QObject::connect(open, &controls::PushButton::clicked, this, [this, open] { onViewPresetResult(open); });
    // The whole row leads to the preset's results, not only its arrow.
    cell->setCursor(Qt::PointingHandCursor);
    new WholeRowPress(cell, open);
    if (row < 0 || row >= static_cast<int>(mArrPresetResult.size())) return cell;
    const auto& entry = mArrPresetResult[static_cast<std::size_t>(row)];
    const QString fallback = ActivityHooks::shared().renameTabSelected() ? "Renamed" : "Defualt";
    name->setText(displayName(entry.presetName, fallback));
    // A screen reader reads the row as the preset it stands for.
    cell->setAccessibilityLabel(name->text());
    count->setText(QString("%1/%2").arg(entry.countDone).arg(entry.countTotal));
    return cell;
}

std::vector<core::SourceURLInfo> SizeListforResultVC::resultRecords(bool done, int row) const {
    if (row < 0 || row >= static_cast<int>(mArrPresetResult.size())) return {};
    const auto* activity = dynamic_cast<const ActivityVC*>(parent());
    if (!activity) return {};
    // Results are filed by the preset's place in the job, so presets sharing a name never mix.
    const auto& entry = mArrPresetResult[static_cast<std::size_t>(row)];
    const auto groups = done ? activity->mArrResizedGroupedData() : activity->mArrSkippedGroupedData();
    std::vector<core::SourceURLInfo> records;
    for (const auto& group : groups) {
        if (group.presetIndex != entry.presetIndex) continue;
        for (const auto& item : group.dataSub) records.push_back(item.urlInfo);
    }
    return records;
}

void SizeListforResultVC::onViewPresetResult(QWidget* sender) {
    showPresetResults(sender);
}

void SizeListforResultVC::showPresetResults(QWidget* sender) {
    std::string title = ActivityHooks::shared().renameTabSelected() ? "Renamed" : "Default";
    const int row = tblView ? tblView->rowForView(sender) : -1;
    if (row < 0 || row >= static_cast<int>(mArrPresetResult.size())) return;
    const std::string& name = mArrPresetResult[static_cast<std::size_t>(row)].presetName;
    if (!QString::fromStdString(name).trimmed().isEmpty()) title = name;

    const auto done = resultRecords(true, row);
    const auto skipped = resultRecords(false, row);
    const auto* activity = dynamic_cast<const ActivityVC*>(parent());
    const auto images = activity ? activity->arrImageSet() : std::vector<core::SourceURLInfo>{};
    PresetResults results{{}, title};
    for (const auto& image : images) {
        const auto sameId = [&](const core::SourceURLInfo& r) { return r.id == image.id; };
        const auto s = std::find_if(skipped.begin(), skipped.end(), sameId);
        const auto d = std::find_if(done.begin(), done.end(), sameId);
        core::ResultItemInfo item;
        item.urlInfo = s != skipped.end() ? *s : d != done.end() ? *d : image;
        item.isSkipped = d == done.end();
        results.items.push_back(std::move(item));
    }
    if (ViewController* holder = parent() ? parent()->parent() : nullptr)
        holder->performSegue(ids::SlideLeft_PresetResults, results);
}
