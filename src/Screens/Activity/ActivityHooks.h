#pragma once
// ActivityHooks: what the activity and result screens need from the application shell, which sits
// above them: whether the Rename tab is current, the Cancel Activity menu item, the end-of-job
// notification and the preview panel. The application sets them once at start-up on the main thread,
// before any screen exists (as it registers its delegate); each one left empty does nothing.

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct ActivityHooks {
    // True while the tab switcher shows the Rename tab.
    std::function<bool()> isRenameTabSelected;
    // The Cancel Activity menu item loses its action and target.
    std::function<void()> clearCancelActivityMenuItem;
    // Delivers a user notification (title, subtitle, action button title).
    std::function<void(const std::optional<std::string>& title, const std::string& subtitle,
                       const std::string& actionButtonTitle)>
        deliverNotification;
    // Shows the preview panel full screen over these files, starting at `currentIndex`.
    std::function<void(const std::vector<std::string>& paths, int currentIndex)> showPreviewPanel;

    static ActivityHooks& shared();
    bool renameTabSelected() const { return isRenameTabSelected && isRenameTabSelected(); }
};
