#pragma once
// The part an image list plays, fixed by the screen that embeds it: which form it shows (grid or
// table), whether its items carry marks, how big its items are and whether it takes drops.

namespace screens {

enum class ImageListRole {
    None,             // not embedded in a known screen: shows the list, nothing more
    Advanced,         // the Advanced tab's list pane: grid, marks, sized by the pane's slider, drops
    Rename,           // the Rename tab's list pane: table with its header, 60 x 60 items, drops
    Bulk,             // the Bulk tab's list pane: grid, marks, sized by the pane's slider
    Activity,         // the activity screen: a private copy of the list that shrinks as a job runs
    AdvancedOptions,  // the Advanced options pane: a small grid whose marks only refresh its button
};

}  // namespace screens
