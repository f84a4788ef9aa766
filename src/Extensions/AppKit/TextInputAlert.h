#pragma once
// A modal alert that asks for one line of text. Main thread only; blocks until it is closed.

#include <string>

// The field's text when the alert closes with `buttonTitle` (the first button); an empty text when
// it closes with "Cancel", whatever the field held.
std::string showTextInputAlert(const std::string& message, const std::string& information,
                               const std::string& defaultText, const std::string& buttonTitle);
