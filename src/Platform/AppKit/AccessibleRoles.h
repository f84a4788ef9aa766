#pragma once
// What a screen reader is told the stand-ins' containers are: a window is a frame, a toolbar a tool
// bar and a segmented control a list of page tabs. Installed once per process on first use; main
// thread only.

namespace appkit {

void installAccessibleRoles();

}  // namespace appkit
