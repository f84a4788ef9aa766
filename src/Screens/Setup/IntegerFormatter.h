#pragma once
// IntegerFormatter: the validator of the width and height fields. Text that could not become a
// whole number of 0 or more is refused while typing, so the field keeps what it had; a lone sign
// may stand while the digits are still to come. Main thread only.

#include <QValidator>

class IntegerFormatter : public QValidator {
    Q_OBJECT
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
