#pragma once
// OpenPanelDialog: the browser an open panel shows. A path field on top follows what is typed (the
// list shows the typed folder and marks the entry the typed name starts), Tab completes names,
// Return enters a folder or takes an acceptable file; a places column and a folder list take
// clicks, double-clicks and Return. Open takes the chosen entries; in a folder chooser with nothing
// chosen it takes the folder shown. New Folder asks for a name through the panel's TextAsker, makes
// the folder and chooses it. Main thread only.

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "Platform/AppKit/OpenPanel.h"
#include "Platform/AppKit/OpenPanelFiles.h"

class QPushButton;
class QTreeView;

namespace appkit {

namespace openpanel {
class PathField;
}

class OpenPanelDialog : public QDialog {
    Q_OBJECT
  public:
    OpenPanelDialog(const OpenPanel& panel, QWidget* parent);

    // What Open takes now: every acceptable chosen entry, or the shown folder in a folder chooser
    // with nothing chosen.
    std::vector<std::string> chosen() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString currentFolder() const;
    bool choosesFoldersOnly() const { return panel_.canChooseDirectories && !panel_.canChooseFiles; }
    // Lists `folder` without touching the path field.
    void showFolder(const QString& folder);
    // Lists `folder` and puts its path in the field, ready for a name to be typed after it.
    void enter(const QString& folder);
    void follow(const QString& typed);
    void submit();
    bool complete();
    void markTypedName();
    void choose(const QModelIndex& entry);
    void activate(const QModelIndex& entry);
    void askForNewFolder();
    std::string makeFolder(const std::string& name);
    void updateOpen();

    const OpenPanel panel_;
    openpanel::ThumbnailFileModel model_;
    QTreeView* tree_ = nullptr;
    openpanel::PathField* path_ = nullptr;
    QPushButton* open_ = nullptr;
    QString base_;                     // the folder a relative typed path starts at: the last one entered
    QString typedName_;                // the name being typed, marked in the list once its folder is listed
    bool pendingTab_ = false;          // a Tab came before the folder was listed
    std::vector<std::string> picked_;  // a file taken by Return in the field
};

}  // namespace appkit
