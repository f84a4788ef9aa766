#include "Core/Records/SharedLists.h"

namespace core {

PresetList& sharedPresetList() {
    static PresetList list;
    return list;
}

ImageList& sharedImageList() {
    static ImageList list;
    return list;
}

}  // namespace core
