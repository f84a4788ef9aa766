#include "Screens/Setup/OutputFolderChoice.h"

#include "Core/Job/OutputFolder.h"
#include "Platform/AppKit/OpenPanel.h"

namespace setup {

bool ensureOutputFolder(foundation::UserDefaults& settings) {
    // A folder that was deleted or moved since it was chosen is asked for again.
    if (core::resolveOutputFolder(settings)) return true;
    appkit::OpenPanel panel;
    panel.canChooseFiles = false;
    panel.canChooseDirectories = true;
    panel.canCreateDirectories = true;
    panel.allowsMultipleSelection = false;
    panel.prompt = "Choose";
    panel.message = "Choose the folder for the resized images";
    if (panel.runModal() != appkit::ModalResponse::OK || panel.urls().empty()) return false;
    return core::storeOutputFolder(settings, panel.urls().front());
}

}  // namespace setup
