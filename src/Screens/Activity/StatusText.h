#pragma once
// The text of a status counter: the value large and bold, a space, the unit small and dimmed. Both
// parts are escaped, so a value from the disk is never read as markup. Main thread only.

#include <QPalette>
#include <QString>
#include <string>

QString statusTextHtml(const std::string& value, const std::string& unit, const QPalette& palette);
