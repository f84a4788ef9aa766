#pragma once
// HandOverFate: what became of the files a later start handed to the running application, as that
// start is told once they have left the application's gathered files. A plain value.

enum class HandOverFate {
    Listed,         // every file is in the list: an image, or a folder whose images are
    SomeNotImages,  // the images are in the list; the other files are not images the list takes
    NoImages,       // none of the files brought an image: nothing was added, no job was asked about
    NotAdded        // the files were let go: the user kept the running job, or the list changed under them
};
