#include "Screens/Setup/SizeListVC.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QVBoxLayout>

#include "Controls/PushButton.h"
#include "Controls/TableRowView.h"
#include "Controls/ViewAccent.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Setup/AdvancedOptionsModel.h"
#include "Screens/Setup/PickerSegueSender.h"
#include "Screens/Setup/PresetCellText.h"
#include "Screens/Setup/SetupControls.h"
#include "Screens/Setup/SizePickerRows.h"

namespace {

// A size row: title (tag 1), detail (tag 2), button (tag 3) and a fourth view, the size's colour
// mark, hidden on the add row.
appkit::View* sizeCell() {
    auto* cell = new appkit::View;
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(12, 2, 8, 2);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    auto* title = setup::makeCaption(QString(), 13, true);
    auto* detail = setup::makeCaption(QString(), 11, false, true);
    appkit::View::setTagOf(title, 1);
    appkit::View::setTagOf(detail, 2);
    auto* button =
        new controls::PushButton(QStringLiteral("Change…"), controls::PushButton::Role::Borderless);
    button->setMinimumWidth(70);
    appkit::View::setTagOf(button, 3);
    auto* mark = new appkit::View;
    mark->setFixedSize(10, 10);
    view::setCornerRadius(*mark, 5);
    texts->addWidget(title);
    texts->addWidget(detail);
    row->addWidget(mark);
    row->addLayout(texts, 1);
    row->addWidget(button);
    for (QWidget* w : {static_cast<QWidget*>(title), static_cast<QWidget*>(detail),
                       static_cast<QWidget*>(button), static_cast<QWidget*>(mark)})
        cell->addSubview(w);
    return cell;
}

}  // namespace

SizeListVC::SizeListVC() {
    setIdentifier("SizeListVC");
    appkit::Storyboard::main().registerView(ids::cell, sizeCell);
}

SizeListVC::~SizeListVC() {
    if (tblView) tblView->setDataSource(nullptr);
}

void SizeListVC::loadView() {
    auto* root = new appkit::View;
    auto* fill = new QVBoxLayout(root);
    fill->setContentsMargins(0, 0, 0, 0);
    tblView = new appkit::TableView(root);
    tblView->setRowHeight(40);
    tblView->setFrameShape(QFrame::NoFrame);
    tblView->setAccessibleName(QStringLiteral("Sizes"));
    tblView->viewport()->installEventFilter(this);
    tblView->installEventFilter(this);
    fill->addWidget(tblView);
    emptyHint = setup::makeCaption(QStringLiteral("No size chosen: images keep their size"), 12, false, true);
    emptyHint->setAlignment(Qt::AlignCenter);
    emptyHint->setContentsMargins(0, 0, 0, 14);
    fill->addWidget(emptyHint);
    setView(root);
}

void SizeListVC::showEmptyHint() {
    if (emptyHint) emptyHint->setVisible(mArrPresetsSelected.empty());
}

void SizeListVC::viewDidLoad() {
    tblView->setDataSource(this);
    tblView->reloadData();
    showEmptyHint();
}

int SizeListVC::numberOfRows(appkit::TableView&) {
    return static_cast<int>(mArrPresetsSelected.size()) + 1;
}

bool SizeListVC::shouldSelectRow(appkit::TableView&, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < mArrPresetsSelected.size();
}

QWidget* SizeListVC::rowViewForRow(appkit::TableView&, int) {
    return controls::makeListRow();
}

QWidget* SizeListVC::viewForRow(appkit::TableView& table, int row) {
    appkit::View* cell = table.makeView(ids::cell);
    if (!cell || row < 0 || static_cast<std::size_t>(row) > mArrPresetsSelected.size()) return cell;
    const auto subviews = cell->subviews();
    if (subviews.size() < 4) return cell;
    auto* title = qobject_cast<QLabel*>(subviews[0]);
    auto* detail = qobject_cast<QLabel*>(subviews[1]);
    auto* button = qobject_cast<controls::Button*>(subviews[2]);
    const bool addRow = static_cast<std::size_t>(row) == mArrPresetsSelected.size();
    if (addRow) {
        if (title) title->clear();
        if (detail) detail->clear();
        if (button) {
            button->setTitle(QStringLiteral("+ Add Size…"));
            button->setAccessibleName(QStringLiteral("Add Size"));
        }
    } else {
        const core::PresetInfo& size = mArrPresetsSelected[static_cast<std::size_t>(row)];
        if (title) title->setText(QString::fromStdString(setup::capitalisedName(core::presetName(size))));
        if (detail) detail->setText(QString::fromStdString(setup::savedSizeDetail(size)));
        if (auto* mark = qobject_cast<appkit::View*>(subviews[3]))
            view::setBackground(*mark, core::presetColorTag(size));
        if (button) button->setAccessibleName(QStringLiteral("Change sizes"));
    }
    if (button) {
        appkit::View::setAccessibilityValueOf(button, addRow ? 1 : 0);
        button->setAction([this](controls::ButtonBase&) { handleSizeButton(); });
    }
    subviews[3]->setHidden(addRow);
    return cell;
}

void SizeListVC::handleSizeButton() {
    showSizePicker();
}

void SizeListVC::showSizePicker() {
    ViewController* pane = parent();
    ViewController* container = pane ? pane->parent() : nullptr;
    if (!container) return;
    container->performSegue(ids::SlideLeft_SizePicker,
                            setup::PickerSegueSender{this, std::nullopt, mArrPresetsSelected});
}

void SizeListVC::addOrSelectSize(const std::vector<core::PresetInfo>& picked) {
    mArrPresetsSelected = setup::mergePickedSizes(mArrPresetsSelected, picked);
    if (tblView) tblView->reloadData();
    showEmptyHint();
    announceHeight();
}

void SizeListVC::deletePreset(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= mArrPresetsSelected.size()) return;
    mArrPresetsSelected.erase(mArrPresetsSelected.begin() + row);
    if (tblView) tblView->removeRows({row});
    showEmptyHint();
    announceHeight();
}

void SizeListVC::announceHeight() {
    if (heightDidChange) heightDidChange(setup::sizeListHeight(mArrPresetsSelected.size()));
}

bool SizeListVC::eventFilter(QObject* watched, QEvent* event) {
    // The type first: the table and its viewport are torn down with events of their own, and a
    // table being destroyed must not be asked for its viewport.
    if (event->type() == QEvent::ContextMenu && tblView && watched == tblView->viewport()) {
        // The row's trailing action: the add row has none.
        const int row = tblView->rowAt(static_cast<QContextMenuEvent*>(event)->pos());
        if (row >= 0 && static_cast<std::size_t>(row) < mArrPresetsSelected.size()) {
            QMenu menu;
            QAction* remove = menu.addAction(QStringLiteral("Delete"));
            if (menu.exec(static_cast<QContextMenuEvent*>(event)->globalPos()) == remove) deletePreset(row);
        }
        return true;
    }
    if (event->type() == QEvent::KeyPress && tblView && watched == tblView) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && tblView->selectedRow() >= 0) {
            deletePreset(tblView->selectedRow());
            return true;
        }
    }
    return appkit::ViewController::eventFilter(watched, event);
}
