#include "Platform/AppKit/OpenPanelPath.h"

#include <QDir>
#include <QKeyEvent>

namespace appkit::openpanel {

namespace {

QString absoluteTyped(const QString& typed, const QString& base) {
    if (typed == "~" || typed.startsWith("~/")) return QDir::homePath() + typed.mid(1);
    if (typed.startsWith('/')) return typed;
    return base + '/' + typed;
}

QString sharedStart(const QString& a, const QString& b) {
    qsizetype n = 0;
    while (n < a.size() && n < b.size() && a[n].toCaseFolded() == b[n].toCaseFolded()) ++n;
    return a.left(n);
}

}  // namespace

TypedPath splitTyped(const QString& typed, const QString& base) {
    const QString path = absoluteTyped(typed, base);
    const qsizetype slash = path.lastIndexOf('/');
    return {QDir::cleanPath(slash == 0 ? QStringLiteral("/") : path.left(slash)), path.mid(slash + 1)};
}

QString resolveTyped(const QString& typed, const QString& base) {
    return QDir::cleanPath(absoluteTyped(typed, base));
}

std::optional<QString> completeName(const QString& name, const std::vector<Entry>& entries) {
    for (const Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        std::vector<const Entry*> matches;
        for (const Entry& entry : entries)
            if (entry.name.startsWith(name, sensitivity)) matches.push_back(&entry);
        if (matches.empty()) continue;
        if (matches.size() == 1) return matches.front()->name + (matches.front()->folder ? "/" : "");
        QString shared = matches.front()->name;
        for (const Entry* match : matches) shared = sharedStart(shared, match->name);
        return shared;
    }
    return std::nullopt;
}

bool PathField::event(QEvent* event) {
    // Caught before the widget's own focus handling, which would move on at once.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier && onTab && onTab()) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void PathField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (onReturn) onReturn();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace appkit::openpanel
