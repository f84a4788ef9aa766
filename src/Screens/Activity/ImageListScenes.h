#pragma once
// Registers the image list's scene ("CollectionVC"), its grid item ("imagePreview1") and its table
// cell ("cellID") in a storyboard. Main thread only.

namespace appkit {
class Storyboard;
}

namespace screens {

void registerImageListScenes(appkit::Storyboard& storyboard);

}  // namespace screens
