#include "Screens/Setup/SizePickerCells.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "Platform/AppKit/LayerPainter.h"
#include "Screens/Setup/SizePickerRows.h"

namespace {

// A cell drawing a thin line along its bottom edge.
class SeparatedCell : public appkit::View {
  public:
    bool isFlipped() const override { return true; }

  protected:
    void drawContent(QPainter& painter) override {
        painter.fillRect(QRectF(12, height() - 1, width() - 24, 1),
                         appkit::toQColor(setup::separatorColour()));
    }
};

// The first subview of a custom-size or percent cell. The content it shows belongs to the picker,
// so it hands the content back before the cell's children are deleted.
class ContentHost : public appkit::View {
  public:
    ContentHost() { (new QVBoxLayout(this))->setContentsMargins(0, 0, 0, 0); }
    ~ContentHost() override {
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            child->hide();
            child->setParent(nullptr);
        }
    }
};

appkit::View* headerCell() {
    auto* cell = new SeparatedCell;
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(20, 12, 20, 4);
    auto* caption = setup::makeCaption(QString(), 11, true, true);
    appkit::View::setTagOf(caption, 1);
    row->addWidget(caption, 0, Qt::AlignBottom);
    cell->addSubview(caption);
    return cell;
}

appkit::View* contentCell() {
    auto* cell = new appkit::View;
    auto* host = new ContentHost;
    auto* fill = new QVBoxLayout(cell);
    fill->setContentsMargins(0, 0, 0, 0);
    cell->addSubview(host);
    fill->addWidget(host);
    return cell;
}

appkit::View* savedSizeCell() {
    auto* cell = new SeparatedCell;
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(20, 6, 20, 6);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto* name = setup::makeCaption(QString(), 14, true);
    auto* detail = setup::makeCaption(QString(), 12, false, true);
    appkit::View::setTagOf(name, 1);
    appkit::View::setTagOf(detail, 2);
    texts->addWidget(name);
    texts->addWidget(detail);
    auto* box = new controls::CheckBox(QString());
    appkit::View::setTagOf(box, 3);
    auto* mark = setup::makeCaption(QStringLiteral("✓"), 16, true);
    mark->setForegroundRole(QPalette::Highlight);
    mark->setAccessibleName(QStringLiteral("In use"));
    mark->hide();
    appkit::View::setTagOf(mark, 4);
    row->addLayout(texts, 1);
    row->addWidget(mark);
    row->addWidget(box);
    for (QWidget* w : {static_cast<QWidget*>(name), static_cast<QWidget*>(detail),
                       static_cast<QWidget*>(mark), static_cast<QWidget*>(box)})
        cell->addSubview(w);
    cell->setCursor(Qt::PointingHandCursor);
    return cell;
}

}  // namespace

void registerSizePickerCells(appkit::Storyboard& storyboard) {
    storyboard.registerView(ids::cellIDHeader, headerCell);
    storyboard.registerView(ids::cellIDCustom, contentCell);
    storyboard.registerView(ids::cellIDPercent, contentCell);
    storyboard.registerView(ids::cellIDDefault, savedSizeCell);
}

void setHeaderCellCaption(appkit::View& cell, const std::string& caption) {
    if (auto* label = qobject_cast<QLabel*>(cell.viewWithTag(1)))
        label->setText(QString::fromStdString(caption));
}

void pinCellContent(appkit::View& cell, QWidget* content) {
    const auto subviews = cell.subviews();
    if (subviews.empty() || !content) return;
    QWidget* host = subviews.front();
    if (content->parentWidget() && content->parentWidget() != host) {
        content->hide();
        content->setParent(nullptr);
    }
    content->setParent(host);
    host->layout()->addWidget(content);
    content->show();
}

controls::CheckBox* fillSavedSizeCell(appkit::View& cell, const core::PresetInfo& preset, bool withCheckBox,
                                      bool ticked, bool current) {
    if (QWidget* mark = cell.viewWithTag(4)) mark->setVisible(current);
    if (auto* name = qobject_cast<QLabel*>(cell.viewWithTag(1)))
        name->setText(QString::fromStdString(core::presetName(preset)));
    if (auto* detail = qobject_cast<QLabel*>(cell.viewWithTag(2)))
        detail->setText(QString::fromStdString(setup::savedSizeDetail(preset)));
    auto* box = qobject_cast<controls::CheckBox*>(cell.viewWithTag(3));
    if (box) {
        box->setHidden(!withCheckBox);
        box->setChecked(ticked);
        box->setAccessibleName(QStringLiteral("Use ") + QString::fromStdString(core::presetName(preset)));
    }
    return box;
}
