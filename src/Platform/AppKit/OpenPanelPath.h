#pragma once
// The open panel's path field and what it makes of typed text: a path is read as file choosers read
// it ("~" is home, a relative path starts at the folder shown), and Tab completes the name being
// typed from the entries of its folder. Main thread only.

#include <QLineEdit>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace appkit::openpanel {

// A typed path split at its last "/": the folder it names (cleaned) and the start of a name in it.
struct TypedPath {
    QString folder;
    QString name;
};
TypedPath splitTyped(const QString& typed, const QString& base);
// The whole typed path, cleaned, with "~" and a relative start read against `base`.
QString resolveTyped(const QString& typed, const QString& base);

struct Entry {
    QString name;
    bool folder = false;
};
// What Tab makes of `name`: the one entry it starts (a folder with "/" after it), else the longest
// start all the entries it starts share; absent when it starts none. Case counts unless no entry
// matches with it.
std::optional<QString> completeName(const QString& name, const std::vector<Entry>& entries);

// The field: Return and Tab go to the panel (Return never reaches the panel's buttons; Tab moves
// the focus on only when the panel had nothing to complete).
class PathField : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;
    std::function<void()> onReturn;
    std::function<bool()> onTab;  // true when the Tab completed something

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace appkit::openpanel
