#pragma once
// The background style of a text field's cell (0 normal, 1 emphasized, 2 raised, 3 lowered), as
// interface code sets it on any field by number; a field that was never given one reads 0.
// Main thread only.

#include <QLineEdit>

namespace textfield {

int fontBackground(const QLineEdit& field);
void setFontBackground(QLineEdit& field, int style);

}  // namespace textfield
