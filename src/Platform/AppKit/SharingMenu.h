#pragma once
// The share picker as a menu: Open in File Manager, Copy File Paths, and Email (attaching the files
// through xdg-email, offered only where it is installed). Main thread only.

#include <QMenu>
#include <string>
#include <vector>

namespace appkit {

// A menu sharing `paths`, owned by `parent`.
QMenu* makeSharingMenu(const std::vector<std::string>& paths, QWidget* parent);
// The xdg-email arguments that attach every path.
QStringList emailArguments(const std::vector<std::string>& paths);

class SharingPicker {
  public:
    explicit SharingPicker(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    // Pops the menu up below `anchor` (a widget), at its bottom-left corner.
    void showRelativeTo(QWidget* anchor) const;

  private:
    std::vector<std::string> paths_;
};

}  // namespace appkit
