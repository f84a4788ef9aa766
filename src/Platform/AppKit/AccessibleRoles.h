#pragma once
// What a screen reader is told the stand-ins' containers are: a window is a frame, a toolbar a tool
// bar, a segmented control a list of page tabs and each of its segments a page tab (selected, and
// pressed as a click), and a dialog a dialog, modal while it is. Installed once per process on first
// use; main thread only.

namespace appkit {

// A button with this property set true is announced as a page tab.
inline constexpr char kPageTabProperty[] = "appkitPageTab";

void installAccessibleRoles();

}  // namespace appkit
