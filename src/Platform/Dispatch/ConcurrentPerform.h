#pragma once
// Runs one block for each of n iterations, spread over the machine's cores, and returns when every
// started iteration has finished. The calling thread works too, so calling it from a worker of the
// global queue cannot starve the pool. The body runs on several threads at once.

#include <cstddef>
#include <functional>

namespace dispatch {

// Calls body(i) once for every i in 0 ..< iterations, in no fixed order. When a call throws, no
// further iteration is started; once the running ones have returned, the first exception is thrown
// to the caller.
void concurrentPerform(std::size_t iterations, const std::function<void(std::size_t)>& body);

}  // namespace dispatch
