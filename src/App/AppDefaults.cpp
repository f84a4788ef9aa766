#include "App/AppDefaults.h"

#include "App/AppDelegate.h"
#include "Core/Records/PresetStore.h"
#include "Core/Records/SharedLists.h"

void registerAppDefaults(foundation::UserDefaults& defaults) {
    defaults.registerDefaults(foundation::PlistDictionary{
        {std::string(appkeys::UD_Allow_Portrait_Resize), foundation::PlistValue(false)},
        {std::string(appkeys::isShowFirst), foundation::PlistValue(std::int64_t{0})},
    });
}

void resetAdvancedOptionDefaults(foundation::UserDefaults& defaults) {
    defaults.removeObject(appkeys::UD_Allow_Portrait_Resize);
}

// The list holds dictionaries only, so there is never an element that could not be stored.
void savePresetsToDefaults(foundation::UserDefaults& defaults) {
    core::savePresetList(defaults, core::sharedPresetList());
    defaults.synchronize();
}

void savePresetsToDefaults() {
    savePresetsToDefaults(appSettings());
}
