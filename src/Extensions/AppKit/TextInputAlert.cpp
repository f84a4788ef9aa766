#include "Extensions/AppKit/TextInputAlert.h"

#include <QLineEdit>
#include <memory>

#include "Platform/AppKit/Alert.h"

std::string showTextInputAlert(const std::string& message, const std::string& information,
                               const std::string& defaultText, const std::string& buttonTitle) {
    appkit::Alert alert;
    alert.addButton(buttonTitle);
    alert.addButton("Cancel");
    alert.messageText = message;
    alert.informativeText = information;
    auto field = std::make_unique<QLineEdit>(QString::fromStdString(defaultText));
    field->setGeometry(0, 0, 294, 24);
    field->setMinimumWidth(294);
    alert.accessoryView = field.get();
    if (alert.runModal() != appkit::ModalResponse::AlertFirstButtonReturn) return {};
    return field->text().toStdString();
}
