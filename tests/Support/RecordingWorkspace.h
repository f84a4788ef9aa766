#pragma once
// A workspace backend that records what would have been opened or shown in the file manager,
// answering as a desktop with (or without) a file manager service would.

#include <string>
#include <vector>

#include "Platform/AppKit/Workspace.h"

namespace testsupport {

class RecordingWorkspace : public appkit::Workspace::Backend {
  public:
    explicit RecordingWorkspace(bool fileManager = true) : fileManager_(fileManager) {}
    bool openUrl(const QUrl& url) override {
        opened.push_back(url.toString().toStdString());
        return true;
    }
    bool showItems(const QStringList& uris) override {
        for (const auto& uri : uris) shown.push_back(uri.toStdString());
        return fileManager_;
    }
    std::vector<std::string> opened, shown;

  private:
    bool fileManager_;
};

}  // namespace testsupport
