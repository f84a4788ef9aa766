#include "Screens/Setup/OutputFolderChoice.h"

#include "Core/Job/OutputFolder.h"
#include "Platform/AppKit/OpenPanel.h"
#include "Screens/Setup/TextPrompt.h"

namespace screens {

bool ensureOutputFolder(foundation::UserDefaults& defaults) {
    if (core::resolveOutputFolder(defaults)) return true;
    appkit::OpenPanel panel;
    panel.canChooseFiles = false;
    panel.canChooseDirectories = true;
    panel.canCreateDirectories = true;
    panel.askFolderName = setup::askText;
    panel.allowsMultipleSelection = false;
    panel.prompt = "Choose";
    panel.message = "Choose the folder for the resized images";
    if (panel.runModal() != appkit::ModalResponse::OK || panel.urls().empty()) return false;
    return core::storeOutputFolder(defaults, panel.urls().front());
}

}  // namespace screens
