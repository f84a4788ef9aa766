#pragma once
// OpenPanel: chooses files and folders together (which Qt's own file dialog cannot), limited to
// allowed extensions (without the dot, any case), one or several, with symbolic links resolved.
// Shown as a sheet with a completion or run modally; either way it opens centred over its window
// (the one given, or the one the user is working in), dims it and is modal to it, also for screen
// readers. A queued scripted answer replaces the user (ModalScript). Main thread only.

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Platform/AppKit/ModalResponse.h"
#include "Platform/AppKit/TextRequest.h"

namespace appkit {

class Window;

class OpenPanel {
  public:
    bool canChooseFiles = true;
    bool canChooseDirectories = false;
    bool allowsMultipleSelection = false;
    bool canCreateDirectories = false;
    bool resolvesAliases = true;
    std::vector<std::string> allowedFileTypes;  // empty: every file
    std::string directory;                      // where the panel opens; empty: Pictures, else home
    std::string message;
    std::string prompt = "Open";
    // Asks the name of a new folder; New Folder is offered when directories may be created and this
    // is set.
    TextAsker askFolderName;

    // Whether the panel lets `path` be chosen.
    bool accepts(const std::string& path) const;

    void beginSheetModal(Window* window, std::function<void(ModalResponse)> completion,
                         const QObject* owner = nullptr);
    ModalResponse runModal();
    // The chosen paths, in the panel's order, after an OK.
    const std::vector<std::string>& urls() const { return *urls_; }

  private:
    ModalResponse takeAnswer(ModalResponse response, std::vector<std::string> paths);

    // Shared with a sheet still open, so the panel object may go away before the user answers.
    std::shared_ptr<std::vector<std::string>> urls_ = std::make_shared<std::vector<std::string>>();
};

}  // namespace appkit
