#pragma once
// UserNotification: one desktop notification, what it says and, once the user has acted on it, how
// it was activated. A plain value; safe to copy between threads.

#include <cstdint>
#include <string>

#include "Platform/Foundation/PlistValue.h"

namespace usernotifications {

struct UserNotification {
    enum class ActivationType { None, ContentsClicked, ActionButtonClicked };
    // The desktop sound theme's sound for a finished task.
    static constexpr char completionSoundName[] = "complete";

    std::string title;
    std::string subtitle;
    std::string informativeText;
    bool hasActionButton = false;
    std::string actionButtonTitle;
    std::string soundName;  // a sound of the desktop's sound theme; empty for none
    foundation::PlistDictionary userInfo;

    // Set by the centre: the notification service's identifier once shown, and the activation.
    std::uint32_t identifier = 0;
    ActivationType activationType = ActivationType::None;
};

}  // namespace usernotifications
