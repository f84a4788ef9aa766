#pragma once
// Under a file-size limit (ulimit -f) a write past it ends the process with SIGXFSZ, in the middle of
// a job and leaving its temporary file. Ignored, the write fails with EFBIG instead, so the writer
// reports it and removes what it began. Call first thing in main of every executable that writes
// files, before any thread starts; it holds for the rest of the process.

namespace dispatch {

void ignoreFileSizeSignal();

}  // namespace dispatch
