#include "Platform/AppKit/OpenPanel.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "Platform/AppKit/ModalScript.h"
#include "Platform/AppKit/OpenPanelDialog.h"
#include "Platform/AppKit/SheetDimmer.h"
#include "Platform/AppKit/Window.h"
#include "Platform/AppKit/WindowEdge.h"
#include "Platform/Dispatch/Queue.h"

namespace appkit {

namespace {

std::string lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// The window a panel run on its own belongs to: the one the user is working in, else the first shown.
Window* frontWindow() {
    if (auto* active = qobject_cast<Window*>(QApplication::activeWindow())) return active;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(top); window && window->isVisible()) return window;
    return nullptr;
}

// Sized to sit inside its window where the window allows, and centred over it, kept on the screen.
void placeOver(QWidget& panel, const QWidget* window) {
    if (!window) {
        panel.resize(760, 480);
        return;
    }
    const QRect over = window->geometry();
    panel.resize(std::clamp(over.width() - 80, 560, 760), std::clamp(over.height() - 80, 380, 480));
    QRect frame(QPoint(), panel.size());
    frame.moveCenter(over.center());
    if (const QScreen* screen = window->screen()) {
        const QRect room = screen->availableGeometry();
        frame.moveLeft(
            std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width())));
        frame.moveTop(
            std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height())));
    }
    panel.setGeometry(frame);  // the panel's own area, as the window's, whatever frames they get
}

// Shows the panel over `window`: placed, modal to it and the window dimmed for as long as it is up.
void presentOver(QDialog& panel, Window* window) {
    placeOver(panel, window);
    panel.setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    if (!window) return;
    new WindowEdge(&panel, WindowEdge::kSheetRadius);
    auto* shade = new SheetDimmer(window, &panel, WindowEdge::kSheetRadius);
    QObject::connect(&panel, &QObject::destroyed, shade, &QObject::deleteLater);
    QPointer<SheetDimmer> dimmer = shade;
    QObject::connect(&panel, &QDialog::finished, shade, [dimmer] {
        if (!dimmer) return;
        dimmer->hide();
        dimmer->deleteLater();
    });
}

}  // namespace

bool OpenPanel::accepts(const std::string& path) const {
    std::error_code error;
    const std::filesystem::path p(path);
    if (std::filesystem::is_directory(p, error)) return canChooseDirectories;
    if (!canChooseFiles) return false;
    if (allowedFileTypes.empty()) return true;
    std::string ext = p.extension().string();
    if (ext.empty()) return false;
    ext = lowered(ext.substr(1));
    return std::any_of(allowedFileTypes.begin(), allowedFileTypes.end(),
                       [&](const std::string& allowed) { return lowered(allowed) == ext; });
}

ModalResponse OpenPanel::takeAnswer(ModalResponse response, std::vector<std::string> paths) {
    urls_->clear();
    if (response != ModalResponse::OK) return response;
    for (auto& path : paths) {
        std::error_code error;
        if (resolvesAliases) {
            auto canonical = std::filesystem::canonical(path, error);
            if (!error) path = canonical.string();
        }
        if (!accepts(path)) continue;
        urls_->push_back(path);
        if (!allowsMultipleSelection) break;
    }
    return urls_->empty() ? ModalResponse::Cancel : ModalResponse::OK;
}

void OpenPanel::beginSheetModal(Window* window, std::function<void(ModalResponse)> completion,
                                const QObject* owner) {
    if (completion && owner) {
        // The completion belongs to its owner; it is dropped once the owner is gone.
        completion = [guard = QPointer<const QObject>(owner),
                      inner = std::move(completion)](ModalResponse r) {
            if (guard) inner(r);
        };
    }
    if (auto scripted = ModalScript::takeOpenPanelAnswer()) {
        const ModalResponse response = takeAnswer(scripted->response, scripted->paths);
        if (completion) dispatch::Queue::main().async([completion, response] { completion(response); });
        return;
    }
    auto* dialog = new OpenPanelDialog(*this, window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(
        dialog, &QDialog::finished, dialog, [panel = *this, dialog, completion](int result) mutable {
            const ModalResponse response = panel.takeAnswer(
                result == QDialog::Accepted ? ModalResponse::OK : ModalResponse::Cancel, dialog->chosen());
            if (completion) dispatch::Queue::main().async([completion, response] { completion(response); });
        });
    if (window) window->attachSheet(dialog);
    presentOver(*dialog, window);
    dialog->open();
}

ModalResponse OpenPanel::runModal() {
    if (auto scripted = ModalScript::takeOpenPanelAnswer())
        return takeAnswer(scripted->response, scripted->paths);
    // Run on its own, the panel still belongs to the window the user was working in.
    Window* window = frontWindow();
    OpenPanelDialog dialog(*this, window);
    presentOver(dialog, window);
    const int result = dialog.exec();
    return takeAnswer(result == QDialog::Accepted ? ModalResponse::OK : ModalResponse::Cancel,
                      dialog.chosen());
}

}  // namespace appkit
