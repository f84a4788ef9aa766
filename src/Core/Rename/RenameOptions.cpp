#include "Core/Rename/RenameOptions.h"

namespace core {

SharedRenameOptions& sharedRenameOptions() {
    static SharedRenameOptions options;
    return options;
}

}  // namespace core
