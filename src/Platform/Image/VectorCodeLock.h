#pragma once
// Keeps libvips' vector code (orc) from being compiled and released at the same time on different
// threads, which orc's code memory does not survive. Called once when libvips starts. Thread-safe.

namespace image::detail {

// Makes every compile and release of vector code take one lock; where that cannot be arranged
// (the lock is not the one libvips binds to), turns libvips' vector code off instead.
void serialiseVectorCode();

}  // namespace image::detail
