#pragma once
// TextFieldDisabled: a label that never takes a click, so clicks reach the views behind it.
// Main thread only.

#include <QLineEdit>

namespace controls {

class TextFieldDisabled : public QLineEdit {
    Q_OBJECT
  public:
    explicit TextFieldDisabled(QWidget* parent = nullptr);
};

}  // namespace controls
