#pragma once
// Named images of the application's resources ("select", "add", "Welcome", ...), looked up as
// <name>.png (then .jpg) in the bundle's resource folder. Thread-safe (QImage only).

#include <QImage>
#include <string>

#include "Platform/Foundation/Bundle.h"

namespace appkit {

// The image, or a null QImage when the bundle has none by that name.
QImage imageNamed(const std::string& name, const foundation::Bundle& bundle = foundation::Bundle::main());

}  // namespace appkit
