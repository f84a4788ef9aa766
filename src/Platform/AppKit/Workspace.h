#pragma once
// Workspace: opening files, folders and web addresses with the desktop's applications, and showing
// files selected in the file manager (org.freedesktop.FileManager1 over D-Bus; without it, the
// folders holding them are opened). The desktop side sits behind a replaceable backend so tests can
// record what would have been opened. Main thread only.

#include <QStringList>
#include <QUrl>
#include <memory>
#include <string>
#include <vector>

namespace appkit {

class Workspace {
  public:
    class Backend {
      public:
        virtual ~Backend() = default;
        virtual bool openUrl(const QUrl& url);
        // Asks the file manager to show these file URIs selected; false when none answers.
        virtual bool showItems(const QStringList& uris);
    };

    static Workspace& shared();
    void setBackend(std::unique_ptr<Backend> backend);

    bool openFile(const std::string& path);
    bool openFolder(const std::string& path) { return openFile(path); }
    bool openURL(const std::string& url);
    // Shows the files selected in the file manager, or opens the folders holding them.
    void activateFileViewerSelecting(const std::vector<std::string>& paths);

  private:
    Workspace();
    std::unique_ptr<Backend> backend_;
};

}  // namespace appkit
