#include <array>
#include <string_view>

#include "Platform/AppKit/StoryboardSegue.h"

namespace appkit {

TransitionOptions segueTransitionOptions(const std::string& identifier) {
    const std::string_view id(identifier);
    const std::string_view word = id.substr(0, id.find('_'));
    using namespace TransitionOption;
    static constexpr std::array<std::string_view, 4> themes = {"VerseTheme", "ImageTheme", "AudioTheme",
                                                               "VideoTheme"};
    if (word.size() >= 2) {
        const char digit = word.back();
        const std::string_view stem = word.substr(0, word.size() - 1);
        for (auto theme : themes)
            if (stem == theme && digit >= '0' && digit <= '3') return SlideLeft;
    }
    if (word == "SlideLeft") return SlideLeft;
    if (word == "SlideUp") return SlideUp;
    if (word == "SlideRight") return SlideRight;
    if (word == "SlideDown") return SlideDown;
    if (word == "SlideBackward") return SlideBackward;
    if (word == "SlideForward") return SlideForward;
    if (word == "Crossfade") return Crossfade;
    if (word == "AllowUserInteraction") return AllowUserInteraction;
    return None;
}

}  // namespace appkit
