#pragma once
// Scripted answers for alerts and open panels: while an answer is queued, the next alert or panel
// takes it instead of asking the user (and runs its completion later on the main queue, as a real
// sheet would). Tests and screenshot scenes queue them; the application never does. Thread-safe.

#include <optional>
#include <string>
#include <vector>

#include "Platform/AppKit/ModalResponse.h"

namespace appkit {

struct OpenPanelAnswer {
    ModalResponse response = ModalResponse::Cancel;
    std::vector<std::string> paths;
};

class ModalScript {
  public:
    static void pushAlertAnswer(ModalResponse response);
    static void pushOpenPanelAnswer(OpenPanelAnswer answer);
    static std::optional<ModalResponse> takeAlertAnswer();
    static std::optional<OpenPanelAnswer> takeOpenPanelAnswer();
    static void clear();
};

}  // namespace appkit
