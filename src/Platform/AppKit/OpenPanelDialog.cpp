#include "Platform/AppKit/OpenPanelDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QSplitter>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "Platform/AppKit/OpenPanelPath.h"
#include "Platform/AppKit/PanelButton.h"

namespace appkit {

namespace {

bool isReturn(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

QString withSlash(const QString& folder) {
    return folder.endsWith('/') ? folder : folder + '/';
}

// A name for a new folder that nothing in `folder` has yet.
QString freeName(const QString& folder, const QString& wanted) {
    QString name = wanted;
    for (int n = 2; QFileInfo::exists(folder + '/' + name); ++n) name = wanted + ' ' + QString::number(n);
    return name;
}

}  // namespace

OpenPanelDialog::OpenPanelDialog(const OpenPanel& panel, QWidget* parent)
    : QDialog(parent, Qt::Sheet), panel_(panel) {
    setWindowTitle(QString::fromStdString(panel.message.empty() ? panel.prompt : panel.message));
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
        panel.directory.empty() ? openpanel::defaultFolder() : QString::fromStdString(panel.directory);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* up = new QToolButton;
    up->setText("..");
    up->setAccessibleName("Enclosing Folder");
    path_ = new openpanel::PathField;
    path_->setAccessibleName("Path");
    top->addWidget(up);
    top->addWidget(path_);
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
    for (const auto& [name, path] : openpanel::places()) {
        auto* item = new QListWidgetItem(icons.icon(QFileInfo(path)), name, placesList);
        item->setData(Qt::UserRole, path);
        // A tip that looks like markup is read as markup: the path goes in as text.
        item->setToolTip(Qt::convertFromPlainText(path, Qt::WhiteSpaceNoWrap));
    }
    tree_ = new QTreeView;
    tree_->setAccessibleName("Contents");
    tree_->setModel(&model_);
    tree_->setSelectionMode(panel.allowsMultipleSelection ? QAbstractItemView::ExtendedSelection
                                                          : QAbstractItemView::SingleSelection);
    tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tree_->setIconSize(QSize(24, 24));
    tree_->setUniformRowHeights(true);
    tree_->installEventFilter(this);
    auto* split = new QSplitter;
    split->addWidget(placesList);
    split->addWidget(tree_);
    split->setStretchFactor(1, 1);
    split->setSizes({170, 590});
    layout->addWidget(split, 1);

    // New Folder stands apart on the left, away from the buttons that close the panel.
    auto* bottom = new QHBoxLayout;
    if (panel.canCreateDirectories && panel.askFolderName) {
        auto* newFolder = new PanelButton("New Folder");
        PanelButton::matchSizes({newFolder});
        bottom->addWidget(newFolder);
        connect(newFolder, &QPushButton::clicked, this, [this] { askForNewFolder(); });
    }
    bottom->addStretch(1);
    auto* buttons = new QDialogButtonBox;
    auto* cancel = new PanelButton("Cancel");
    auto* open = new PanelButton(QString::fromStdString(panel.prompt));
    cancel->setAccessibleName("Cancel");
    PanelButton::matchSizes({cancel, open});
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    buttons->addButton(open, QDialogButtonBox::AcceptRole);
    open->setDefault(true);
    open_ = open;
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(up, &QToolButton::clicked, this, [this] { enter(QFileInfo(currentFolder()).absolutePath()); });
    connect(placesList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { enter(item->data(Qt::UserRole).toString()); });
    connect(placesList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { enter(item->data(Qt::UserRole).toString()); });
    connect(path_, &QLineEdit::textEdited, this, [this](const QString& typed) { follow(typed); });
    path_->onReturn = [this] { submit(); };
    path_->onTab = [this] { return complete(); };
    connect(tree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& entry) { activate(entry); });
    connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { updateOpen(); });
    // The folder's entries arrive after it is shown; a name typed or a Tab pressed before then
    // is taken up once they are there.
    const auto listed = [this] {
        if (!typedName_.isEmpty() && !tree_->selectionModel()->hasSelection()) markTypedName();
        if (pendingTab_) {
            pendingTab_ = false;
            complete();
        }
    };
    connect(&model_, &QFileSystemModel::directoryLoaded, this, [this, listed](const QString& folder) {
        if (QDir::cleanPath(folder) == currentFolder()) listed();
    });
    connect(&model_, &QAbstractItemModel::rowsInserted, this, [this, listed](const QModelIndex& parent) {
        if (parent == tree_->rootIndex()) listed();
    });
    enter(start);
    path_->setFocus();
}

std::vector<std::string> OpenPanelDialog::chosen() const {
    if (!picked_.empty()) return picked_;
    std::vector<std::string> paths;
    for (const QModelIndex& index : tree_->selectionModel()->selectedRows()) {
        const std::string path = model_.filePath(index).toStdString();
        if (panel_.accepts(path)) paths.push_back(path);
    }
    if (paths.empty() && choosesFoldersOnly() && panel_.accepts(currentFolder().toStdString()))
        paths.push_back(currentFolder().toStdString());
    return paths;
}

void OpenPanelDialog::keyPressEvent(QKeyEvent* event) {
    // Return acts where it was pressed (the field, the list, a focused button) and nowhere else: it
    // never closes the panel through the default button.
    if (isReturn(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool OpenPanelDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_ && event->type() == QEvent::KeyPress && isReturn(*static_cast<QKeyEvent*>(event))) {
        const QModelIndex current = tree_->currentIndex();
        if (current.isValid() && model_.isDir(current) && tree_->selectionModel()->selectedRows().size() <= 1)
            enter(model_.filePath(current));
        else if (open_->isEnabled())
            accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QString OpenPanelDialog::currentFolder() const {
    return model_.filePath(tree_->rootIndex());
}

void OpenPanelDialog::showFolder(const QString& folder) {
    model_.setRootPath(folder);
    tree_->setRootIndex(model_.index(folder));
    tree_->selectionModel()->clear();
    picked_.clear();
    updateOpen();
}

void OpenPanelDialog::enter(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) return;
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    showFolder(clean);
    base_ = clean;
    typedName_.clear();
    pendingTab_ = false;
    path_->setText(withSlash(clean));
}

void OpenPanelDialog::follow(const QString& typed) {
    const auto [folder, name] = openpanel::splitTyped(typed, base_);
    // A folder name still being typed names nothing yet: the list stays where it is.
    if (!QFileInfo(folder).isDir()) return;
    if (folder != currentFolder()) showFolder(folder);
    typedName_ = name;
    markTypedName();
}

void OpenPanelDialog::markTypedName() {
    if (typedName_.isEmpty()) {
        tree_->selectionModel()->clear();
        return;
    }
    // The entry named exactly so, else the first the name starts, else the first it starts in any case.
    QModelIndex best;
    int bestRank = 3;
    const QModelIndex root = tree_->rootIndex();
    for (int row = 0; row < model_.rowCount(root) && bestRank > 0; ++row) {
        const QModelIndex entry = model_.index(row, 0, root);
        const QString name = model_.fileName(entry);
        const int rank = name == typedName_                                 ? 0
                         : name.startsWith(typedName_)                      ? 1
                         : name.startsWith(typedName_, Qt::CaseInsensitive) ? 2
                                                                            : 3;
        if (rank < bestRank) {
            best = entry;
            bestRank = rank;
        }
    }
    if (best.isValid())
        choose(best);
    else
        tree_->selectionModel()->clear();
}

void OpenPanelDialog::choose(const QModelIndex& entry) {
    tree_->selectionModel()->setCurrentIndex(entry,
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    tree_->scrollTo(entry);
}

void OpenPanelDialog::submit() {
    const QString path = openpanel::resolveTyped(path_->text(), base_);
    const QFileInfo info(path);
    if (info.isDir()) {
        enter(path);
        return;
    }
    // Nothing there yet: the user goes on typing.
    if (!info.isFile()) return;
    if (info.absolutePath() != currentFolder()) showFolder(info.absolutePath());
    typedName_ = info.fileName();
    markTypedName();
    if (!panel_.accepts(path.toStdString())) return;
    picked_ = {path.toStdString()};
    accept();
}

bool OpenPanelDialog::complete() {
    const QString text = path_->text();
    const auto [folder, name] = openpanel::splitTyped(text, base_);
    if (name.isEmpty() || !QFileInfo(folder).isDir()) return false;
    if (folder != currentFolder()) showFolder(folder);
    const QModelIndex root = tree_->rootIndex();
    std::vector<openpanel::Entry> entries;
    for (int row = 0; row < model_.rowCount(root); ++row) {
        const QModelIndex entry = model_.index(row, 0, root);
        entries.push_back({model_.fileName(entry), model_.isDir(entry)});
    }
    const auto completed = openpanel::completeName(name, entries);
    if (!completed) {
        // A folder not listed yet is completed once it is; in a listed one, Tab moves on.
        pendingTab_ = entries.empty();
        return pendingTab_;
    }
    const QString done = text.left(text.size() - name.size()) + *completed;
    path_->setText(done);
    follow(done);
    return true;
}

void OpenPanelDialog::activate(const QModelIndex& entry) {
    if (model_.isDir(entry))
        enter(model_.filePath(entry));
    else if (open_->isEnabled())
        accept();
}

void OpenPanelDialog::askForNewFolder() {
    const QString folder = currentFolder();
    TextRequest request;
    request.title = "New Folder";
    request.text = freeName(folder, "untitled folder").toStdString();
    request.confirm = "Create";
    request.problem = [folder](const std::string& answer) -> std::string {
        const QString name = QString::fromStdString(answer);
        if (name.contains('/'))
            return "\u201c" + answer + "\u201d cannot name a folder: a name holds no \u201c/\u201d.";
        if (name == "." || name == "..") return "\u201c" + answer + "\u201d cannot name a folder.";
        if (QFileInfo::exists(folder + '/' + name)) return "\u201c" + answer + "\u201d is already here.";
        return {};
    };
    request.take = [self = QPointer<OpenPanelDialog>(this)](const std::string& name) -> std::string {
        return self ? self->makeFolder(name) : std::string("The panel has closed.");
    };
    panel_.askFolderName(this, std::move(request));
}

std::string OpenPanelDialog::makeFolder(const std::string& name) {
    const QModelIndex made = model_.mkdir(tree_->rootIndex(), QString::fromStdString(name));
    if (!made.isValid()) return "The folder could not be made here.";
    typedName_.clear();
    choose(made);
    return {};
}

void OpenPanelDialog::updateOpen() {
    open_->setEnabled(!chosen().empty());
}

}  // namespace appkit
