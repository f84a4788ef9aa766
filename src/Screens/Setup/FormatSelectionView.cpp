#include "Screens/Setup/FormatSelectionView.h"

#include <QEvent>
#include <QHBoxLayout>

#include "Controls/ViewAccent.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/Animator.h"
#include "Screens/Setup/SetupControls.h"

FormatSelectionView::FormatSelectionView() {
    setIdentifier("FormatSelectionView");
}

const std::vector<std::string>& FormatSelectionView::formatTitles() {
    // Only formats the image layer writes itself.
    static const std::vector<std::string> titles = {"Default", ".jpg", ".png", ".tiff", ".heic", ".bmp"};
    return titles;
}

void FormatSelectionView::loadView() {
    auto* root = new appkit::View;
    auto* rootLayout = new QHBoxLayout(root);
    rootLayout->setContentsMargins(0, 0, 0, 0);
    formatBtnContainer = new appkit::View(root);
    formatBtnContainer->setAccessibleName(QStringLiteral("Output format"));
    view::setCornerRadius(*formatBtnContainer, 8);
    view::setBorderWidth(*formatBtnContainer, 1);
    view::setBorderColor(*formatBtnContainer, setup::separatorColour());
    rootLayout->addWidget(formatBtnContainer);

    formatSelectedBG = new appkit::View(formatBtnContainer);
    view::setBackground(*formatSelectedBG, setup::accentColour());
    view::setCornerRadius(*formatSelectedBG, 6);
    formatSelectedBG->setGeometry(0, 0, 0, 0);

    auto* row = new QHBoxLayout(formatBtnContainer);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(2);
    int tag = 1;
    for (const auto& title : formatTitles()) {
        auto* button =
            new controls::PushButton(QString::fromStdString(title), controls::PushButton::Role::Segment);
        button->setMinimumWidth(52);
        appkit::View::setTagOf(button, tag++);
        button->setAction([this](controls::ButtonBase& sender) { onSelectFormatBtn(&sender); });
        button->installEventFilter(this);
        row->addWidget(button);
    }
    formatSelectedBG->lower();
    setView(root);
}

void FormatSelectionView::viewDidLoad() {
    formatIconIndex = 1;
    if (auto* first = buttonWithTag(1)) selectFormatButton(first);
}

void FormatSelectionView::viewDidAppear() {
    bAppeared = true;
}

controls::Button* FormatSelectionView::buttonWithTag(int tag) const {
    if (!formatBtnContainer) return nullptr;
    for (QWidget* child : formatBtnContainer->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (appkit::View::tagOf(child) == tag) return qobject_cast<controls::Button*>(child);
    return nullptr;
}

void FormatSelectionView::onSelectFormatBtn(QObject* sender) {
    selectFormatButton(sender);
}

void FormatSelectionView::selectFormatButton(QObject* sender) {
    auto* button = qobject_cast<controls::PushButton*>(sender);
    if (!button) return;
    if (selectedBtn && selectedBtn != button) selectedBtn->setChecked(false);
    const std::string format = button->title().toStdString();
    if (auto* holder = dynamic_cast<OutputFormatHolder*>(parent())) holder->strOutputFormat = format;
    if (formatSelectedBG) {
        // Only a row on screen slides its background. Before that the buttons have no place yet (a
        // button not laid out is as wide as a window): an animation started then would go on
        // writing that width over the place the layout gives, so the background is put under the
        // button at once and follows it from there (see eventFilter).
        if (bAppeared && formatBtnContainer && formatBtnContainer->isVisible())
            appkit::animator(*formatSelectedBG).setFrame(appkit::View::frameOf(button));
        else
            formatSelectedBG->setGeometry(button->geometry());
    }
    button->setChecked(true);
    formatIconIndex = appkit::View::tagOf(button);
    selectedBtn = button;
}

bool FormatSelectionView::eventFilter(QObject* watched, QEvent* event) {
    // The type first: a button being destroyed must not be taken for the one it was.
    if ((event->type() == QEvent::Resize || event->type() == QEvent::Move) && watched == selectedBtn &&
        formatSelectedBG)
        formatSelectedBG->setGeometry(selectedBtn->geometry());
    return appkit::ViewController::eventFilter(watched, event);
}
