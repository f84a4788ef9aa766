#pragma once
// What a screen reader is told the stand-ins' containers are: a window is a frame, a toolbar a tool
// bar, a segmented control a list of page tabs and a dialog a dialog, modal while it is. Installed once per
// process on first use; main thread only.

namespace appkit {

void installAccessibleRoles();

}  // namespace appkit
