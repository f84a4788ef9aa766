#pragma once
// Alert: a message with an informative text, a style and buttons in the order added, shown as a
// window-modal sheet (counted by the window) whose completion gets the button's response (first
// button 1000, second 1001, ...), or run modally. Every text is shown as typed, never as markup. A
// queued scripted answer replaces the user (ModalScript). With an owner, the completion is dropped
// once the owner is gone. The sheet shown is handed back (none for a scripted answer), so that its
// texts can follow what it asks about. An accessory view (owned by the caller) is shown between the
// texts and the buttons and handed back when the alert closes. Main thread only; the alert object
// may go away once shown.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "Platform/AppKit/ModalResponse.h"

namespace appkit {

class Window;

class Alert {
  public:
    enum class Style { Warning, Informational, Critical };

    Style alertStyle = Style::Warning;
    std::string messageText;
    std::string informativeText;
    QPointer<QWidget> accessoryView;

    void addButton(std::string title) { buttons_.push_back(std::move(title)); }
    const std::vector<std::string>& buttons() const { return buttons_; }

    QPointer<QMessageBox> beginSheetModal(Window* window, std::function<void(ModalResponse)> completion,
                                          const QObject* owner = nullptr) const;
    ModalResponse runModal() const;

  private:
    QMessageBox* makeBox(QWidget* parent) const;
    std::vector<std::string> buttons_;
};

// Changes the informative text of an alert that shows; like all its texts, it is shown as typed.
void setInformativeText(QMessageBox& box, const std::string& text);

}  // namespace appkit
