#include "Platform/AppKit/Alert.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "Platform/AppKit/ModalScript.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Dispatch/Queue.h"

namespace appkit {

namespace {
ModalResponse responseForButton(int index) {
    return static_cast<ModalResponse>(static_cast<int>(ModalResponse::AlertFirstButtonReturn) + index);
}

// Puts `accessory` in the row of the buttons, moving the buttons one row down.
void placeAccessory(QMessageBox* box, QWidget* accessory) {
    auto* grid = qobject_cast<QGridLayout*>(box->layout());
    auto* buttons = box->findChild<QDialogButtonBox*>();
    if (!grid || !buttons) return;
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(buttons), &row, &column, &rowSpan, &columnSpan);
    grid->removeWidget(buttons);
    grid->addWidget(accessory, row, 1, 1, grid->columnCount() - 1);
    grid->addWidget(buttons, row + 1, column, rowSpan, columnSpan);
    accessory->show();
}

// Every text of the box is shown as typed, never as markup. The box's own labels are its direct
// children (the informative one made only once it has a text); an accessory's labels are the caller's.
void keepTextsPlain(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    for (QLabel* label : box.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        label->setTextFormat(Qt::PlainText);
}

// The caller keeps its accessory when the box goes away.
void releaseAccessory(QWidget* accessory) {
    if (accessory) {
        accessory->hide();
        accessory->setParent(nullptr);
    }
}
}  // namespace

QMessageBox* Alert::makeBox(QWidget* parent) const {
    auto* box = new QMessageBox(parent);
    box->setText(QString::fromStdString(messageText));
    box->setInformativeText(QString::fromStdString(informativeText));
    keepTextsPlain(*box);
    switch (alertStyle) {
        case Style::Warning:
            box->setIcon(QMessageBox::Warning);
            break;
        case Style::Informational:
            box->setIcon(QMessageBox::Information);
            break;
        case Style::Critical:
            box->setIcon(QMessageBox::Critical);
            break;
    }
    const std::vector<std::string> titles = buttons_.empty() ? std::vector<std::string>{"OK"} : buttons_;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        // The first button is the default one, as on the platform.
        auto* button = box->addButton(QString::fromStdString(titles[i]), QMessageBox::AcceptRole);
        button->setProperty("appkit.response", static_cast<int>(responseForButton(static_cast<int>(i))));
        if (i == 0) box->setDefaultButton(button);
    }
    if (accessoryView) placeAccessory(box, accessoryView);
    return box;
}

QPointer<QMessageBox> Alert::beginSheetModal(Window* window, std::function<void(ModalResponse)> completion,
                                             const QObject* owner) const {
    if (completion && owner) {
        // The completion belongs to its owner; it is dropped once the owner is gone.
        completion = [guard = QPointer<const QObject>(owner),
                      inner = std::move(completion)](ModalResponse r) {
            if (guard) inner(r);
        };
    }
    if (auto scripted = ModalScript::takeAlertAnswer()) {
        if (completion)
            dispatch::Queue::main().async([completion, answer = *scripted] { completion(answer); });
        return nullptr;
    }
    QMessageBox* box = makeBox(window);
    box->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QDialog::finished, box,
                     [accessory = accessoryView] { releaseAccessory(accessory); });
    QObject::connect(box, &QMessageBox::buttonClicked, box, [completion](QAbstractButton* button) {
        const auto response = static_cast<ModalResponse>(button->property("appkit.response").toInt());
        if (completion) dispatch::Queue::main().async([completion, response] { completion(response); });
    });
    if (window) window->attachSheet(box);
    box->open();
    return box;
}

void setInformativeText(QMessageBox& box, const std::string& text) {
    box.setInformativeText(QString::fromStdString(text));
    keepTextsPlain(box);
}

ModalResponse Alert::runModal() const {
    if (auto scripted = ModalScript::takeAlertAnswer()) return *scripted;
    std::unique_ptr<QMessageBox> box(makeBox(nullptr));
    box->exec();
    releaseAccessory(accessoryView);
    QAbstractButton* clicked = box->clickedButton();
    return clicked ? static_cast<ModalResponse>(clicked->property("appkit.response").toInt())
                   : responseForButton(0);
}

}  // namespace appkit
