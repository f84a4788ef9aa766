#include "Screens/Setup/IntegerFormatter.h"

#include "Screens/Setup/SizePickerRows.h"

QValidator::State IntegerFormatter::validate(QString& input, int&) const {
    if (setup::isPartialIntegerValid(input.toStdString())) return Acceptable;
    if (input == QLatin1String("+") || input == QLatin1String("-")) return Intermediate;
    return Invalid;
}
