#include "Platform/AppKit/OpenPanel.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSplitter>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>

#include "Platform/AppKit/FileThumbnails.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/AppKit/PanelButton.h"
#include "Platform/AppKit/SheetDimmer.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Dispatch/Queue.h"

namespace appkit {

namespace {

std::string lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// Where a user looks for photos: home, Pictures, and the volumes the desktop mounted (cards, sticks).
std::vector<std::pair<QString, QString>> places() {
    std::vector<std::pair<QString, QString>> found = {{"Home", QDir::homePath()}};
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir() && pictures != QDir::homePath())
        found.emplace_back("Pictures", pictures);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const bool removable = root.startsWith("/media/") || root.startsWith("/run/media/");
        if (!volume.isValid() || !volume.isReady() || !removable) continue;
        found.emplace_back(volume.displayName(), root);
    }
    found.emplace_back("Computer", "/");
    return found;
}

// The folder a panel opens in when the caller names none: Pictures when there is one, else home.
QString defaultFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

// Whether the file's name says it is an image Qt can read, so only those are sent to be thumbnailed.
bool looksLikeImage(const QFileInfo& file) {
    static const QSet<QString> suffixes = [] {
        QSet<QString> found;
        for (const QByteArray& format : QImageReader::supportedImageFormats())
            found.insert(QString::fromLatin1(format).toLower());
        return found;
    }();
    return suffixes.contains(file.suffix().toLower());
}

// The file system as the panel lists it: image files show a small thumbnail of themselves once it is
// made, other entries the platform's icons.
class ThumbnailFileModel : public QFileSystemModel {
  public:
    ThumbnailFileModel() : thumbnails_(QSize(48, 48)) {
        connect(&thumbnails_, &FileThumbnails::ready, this, [this](const QString& path) {
            const QModelIndex at = index(path);
            if (at.isValid()) Q_EMIT dataChanged(at, at, {Qt::DecorationRole});
        });
    }
    QVariant data(const QModelIndex& at, int role) const override {
        if (role == Qt::DecorationRole && at.column() == 0 && !isDir(at) && looksLikeImage(fileInfo(at))) {
            const QIcon thumbnail = thumbnails_.icon(filePath(at));
            if (!thumbnail.isNull()) return thumbnail;
        }
        QVariant value = QFileSystemModel::data(at, role);
        // Until the model has looked an entry up it has no icon; a generic one keeps the rows even.
        if (role == Qt::DecorationRole && at.column() == 0 && value.value<QIcon>().isNull())
            value = icons_.icon(isDir(at) ? QFileIconProvider::Folder : QFileIconProvider::File);
        return value;
    }

  private:
    mutable FileThumbnails thumbnails_;
    QFileIconProvider icons_;
};

// The panel's browser: a places column and a folder tree whose Open button takes the selected entries.
class PanelDialog : public QDialog {
  public:
    PanelDialog(OpenPanel& panel, QWidget* parent) : QDialog(parent, Qt::Sheet), panel_(panel) {
        setWindowTitle(QString::fromStdString(panel.message.empty() ? panel.prompt : panel.message));
        resize(640, 420);
        model_.setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::AllDirs);
        model_.setReadOnly(!panel.canCreateDirectories);
        QStringList filters;
        for (const auto& ext : panel.allowedFileTypes) {
            filters << "*." + QString::fromStdString(ext).toLower()
                    << "*." + QString::fromStdString(ext).toUpper();
        }
        if (panel.canChooseFiles) model_.setNameFilters(filters);
        if (!panel.canChooseFiles) model_.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
        model_.setNameFilterDisables(false);
        const QString start =
            panel.directory.empty() ? defaultFolder() : QString::fromStdString(panel.directory);
        resize(760, 480);
        model_.setRootPath(start);

        auto* layout = new QVBoxLayout(this);
        auto* top = new QHBoxLayout;
        auto* up = new QToolButton;
        up->setText("..");
        up->setAccessibleName("Enclosing Folder");
        location_ = new QLineEdit(start);
        top->addWidget(up);
        top->addWidget(location_);
        layout->addLayout(top);
        if (!panel.message.empty()) {
            auto* label = new QLabel(QString::fromStdString(panel.message));
            label->setTextFormat(Qt::PlainText);
            layout->addWidget(label);
        }
        auto* placesList = new QListWidget;
        placesList->setAccessibleName("Places");
        placesList->setFrameShape(QFrame::NoFrame);
        const QFileIconProvider icons;
        for (const auto& [name, path] : places()) {
            auto* item = new QListWidgetItem(icons.icon(QFileInfo(path)), name, placesList);
            item->setData(Qt::UserRole, path);
            item->setToolTip(path);
        }
        connect(placesList, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { enter(item->data(Qt::UserRole).toString()); });
        tree_ = new QTreeView;
        tree_->setModel(&model_);
        tree_->setRootIndex(model_.index(start));
        tree_->setSelectionMode(panel.allowsMultipleSelection ? QAbstractItemView::ExtendedSelection
                                                              : QAbstractItemView::SingleSelection);
        tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        tree_->setIconSize(QSize(24, 24));
        tree_->setUniformRowHeights(true);
        auto* split = new QSplitter;
        split->addWidget(placesList);
        split->addWidget(tree_);
        split->setStretchFactor(1, 1);
        split->setSizes({170, 590});
        layout->addWidget(split, 1);
        auto* buttons = new QDialogButtonBox;
        if (panel.canCreateDirectories) {
            auto* newFolder = new PanelButton("New Folder");
            PanelButton::matchSizes({newFolder});
            buttons->addButton(newFolder, QDialogButtonBox::ActionRole);
            connect(newFolder, &QPushButton::clicked, this, [this] {
                bool ok = false;
                const QString name = QInputDialog::getText(this, "New Folder", "Name", QLineEdit::Normal,
                                                           "untitled folder", &ok);
                if (ok && !name.isEmpty()) model_.mkdir(tree_->rootIndex(), name);
            });
        }
        auto* cancel = new PanelButton("Cancel");
        auto* open = new PanelButton(QString::fromStdString(panel.prompt));
        cancel->setAccessibleName("Cancel");
        PanelButton::matchSizes({cancel, open});
        buttons->addButton(cancel, QDialogButtonBox::RejectRole);
        buttons->addButton(open, QDialogButtonBox::AcceptRole);
        open->setDefault(true);
        open_ = open;
        open_->setEnabled(false);
        layout->addWidget(buttons);

        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(up, &QToolButton::clicked, this,
                [this] { enter(QFileInfo(currentFolder()).absolutePath()); });
        connect(location_, &QLineEdit::returnPressed, this, [this] { enter(location_->text()); });
        connect(tree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
            if (model_.isDir(index))
                enter(model_.filePath(index));
            else if (open_->isEnabled())
                accept();
        });
        connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this] { open_->setEnabled(!chosen().empty()); });
    }

    std::vector<std::string> chosen() const {
        std::vector<std::string> paths;
        for (const QModelIndex& index : tree_->selectionModel()->selectedRows()) {
            const std::string path = model_.filePath(index).toStdString();
            if (panel_.accepts(path)) paths.push_back(path);
        }
        return paths;
    }

  private:
    QString currentFolder() const { return model_.filePath(tree_->rootIndex()); }
    void enter(const QString& folder) {
        if (!QFileInfo(folder).isDir()) return;
        model_.setRootPath(folder);
        tree_->setRootIndex(model_.index(folder));
        location_->setText(folder);
    }

    OpenPanel& panel_;
    ThumbnailFileModel model_;
    QTreeView* tree_ = nullptr;
    QLineEdit* location_ = nullptr;
    QPushButton* open_ = nullptr;
};

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

QWidget* OpenPanel::makeDialog(QWidget* parent) {
    return new PanelDialog(*this, parent);
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
    auto* dialog = static_cast<PanelDialog*>(makeDialog(window));
    dialog->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(
        dialog, &QDialog::finished, dialog, [panel = *this, dialog, completion](int result) mutable {
            const ModalResponse response = panel.takeAnswer(
                result == QDialog::Accepted ? ModalResponse::OK : ModalResponse::Cancel, dialog->chosen());
            if (completion) dispatch::Queue::main().async([completion, response] { completion(response); });
        });
    if (window) {
        window->attachSheet(dialog);
        // The window stays dimmed for as long as the panel is up, however it ends.
        auto* shade = new SheetDimmer(window, dialog);
        QObject::connect(dialog, &QObject::destroyed, shade, &QObject::deleteLater);
        QPointer<SheetDimmer> dimmer = shade;
        QObject::connect(dialog, &QDialog::finished, dialog, [dimmer] {
            if (!dimmer) return;
            dimmer->hide();
            dimmer->deleteLater();
        });
    }
    dialog->open();
}

ModalResponse OpenPanel::runModal() {
    if (auto scripted = ModalScript::takeOpenPanelAnswer())
        return takeAnswer(scripted->response, scripted->paths);
    // Run on its own, the panel still dims the window the user was working in.
    QPointer<SheetDimmer> dimmer;
    if (auto* behind = qobject_cast<Window*>(QApplication::activeWindow())) dimmer = new SheetDimmer(behind);
    PanelDialog dialog(*this, nullptr);
    const int result = dialog.exec();
    delete dimmer.data();
    return takeAnswer(result == QDialog::Accepted ? ModalResponse::OK : ModalResponse::Cancel,
                      dialog.chosen());
}

}  // namespace appkit
