#pragma once
// Driving the open panel and the folder chooser as a user does: finding a shown panel and the parts
// a user works with, typing a path, clicking entries, and answering a panel that runs modally (the
// answer runs inside the panel's own event loop). Header-only; main thread; needs Qt Widgets and
// Qt Test.

#include <QApplication>
#include <QDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

namespace testsupport {

// The shown panel (a visible top-level dialog), with the given title when one is given.
inline QDialog* shownPanel(const QString& title = {}) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* panel = qobject_cast<QDialog*>(top);
            panel && panel->isVisible() && (title.isEmpty() || panel->windowTitle() == title))
            return panel;
    return nullptr;
}

struct PanelParts {
    QDialog* sheet = nullptr;
    QLineEdit* path = nullptr;
    QTreeView* list = nullptr;
    QFileSystemModel* files = nullptr;

    static PanelParts of(QDialog* sheet) {
        PanelParts parts{sheet};
        if (!sheet) return parts;
        for (auto* field : sheet->findChildren<QLineEdit*>())
            if (field->accessibleName() == "Path") parts.path = field;
        parts.list = sheet->findChild<QTreeView*>();
        parts.files = parts.list ? qobject_cast<QFileSystemModel*>(parts.list->model()) : nullptr;
        return parts;
    }
    bool complete() const { return sheet && path && list && files; }
    std::string shownFolder() const { return files->filePath(list->rootIndex()).toStdString(); }
    std::set<std::string> listed() const {
        std::set<std::string> names;
        for (int row = 0; row < files->rowCount(list->rootIndex()); ++row)
            names.insert(files->fileName(files->index(row, 0, list->rootIndex())).toStdString());
        return names;
    }
    std::set<std::string> marked() const {
        std::set<std::string> names;
        for (const QModelIndex& row : list->selectionModel()->selectedRows())
            names.insert(files->fileName(row).toStdString());
        return names;
    }
    QPushButton* button(const QString& title) const {
        for (auto* candidate : sheet->findChildren<QPushButton*>())
            if (candidate->text() == title) return candidate;
        return nullptr;
    }
    // Replaces the field's text by typing, as a user who selects it all first does.
    void type(const std::string& text) const {
        QTest::keyClick(path, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(path, QString::fromStdString(text));
    }
    // Types the folder's path and presses Return, then lets its entries arrive.
    bool goTo(const std::filesystem::path& folder) const {
        type(folder.string());
        QTest::keyClick(path, Qt::Key_Return);
        for (int i = 0; i < 250 && shownFolder() != folder.string(); ++i) QTest::qWait(10);
        QTest::qWait(50);
        return shownFolder() == folder.string();
    }
    // Clicks the named entry of the shown folder, with Ctrl to add it to what is marked.
    bool click(const std::string& name, Qt::KeyboardModifiers modifiers = {}) const {
        const QModelIndex entry = files->index(QString::fromStdString(shownFolder() + "/" + name));
        if (!entry.isValid()) return false;
        list->scrollTo(entry);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualRect(entry).center());
        return true;
    }
};

// Answers the panel titled `title` once it shows, from inside the loop of whatever runs it.
class PanelAnswer {
  public:
    PanelAnswer(QString title, std::function<void(QDialog&)> act)
        : title_(std::move(title)), act_(std::move(act)) {
        poll_.setInterval(10);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            QDialog* panel = shownPanel(title_);
            if (!panel) return;
            poll_.stop();
            acted_ = true;
            act_(*panel);
        });
        poll_.start();
    }
    bool acted() const { return acted_; }

  private:
    QString title_;
    std::function<void(QDialog&)> act_;
    QTimer poll_;
    bool acted_ = false;
};

}  // namespace testsupport
