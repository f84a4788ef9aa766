#pragma once
// TextRequest: a line of text a panel needs from the user (a new folder's name, say) and what becomes
// of the answer. A panel does not draw the question itself: its owner hands it a TextAsker built with
// the application's drawn controls. Main thread only.

#include <functional>
#include <string>

class QWidget;

namespace appkit {

struct TextRequest {
    std::string title;    // the question, shown over the field
    std::string text;     // the suggested answer, selected so that typing replaces it
    std::string confirm;  // the title of the button that takes the answer
    // Why an answer cannot be taken as it stands (shown under the field while the confirm button is
    // off); empty when it can. Answers arrive trimmed of surrounding white space.
    std::function<std::string(const std::string& answer)> problem;
    // Takes the answer; returns what went wrong (the question stays up to try again), empty when done.
    std::function<std::string(const std::string& answer)> take;
};

// Shows the request over `host`, window-modal to it, and returns at once.
using TextAsker = std::function<void(QWidget* host, TextRequest request)>;

}  // namespace appkit
