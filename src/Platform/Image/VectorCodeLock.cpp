#include "Platform/Image/VectorCodeLock.h"

#include <vips/vips.h>
#include <vips/vector.h>

#include <dlfcn.h>
#include <orc/orc.h>

#include <mutex>

// orc 0.4.33 keeps the memory its compiled programs run from in one list of chunks for the whole
// process, and changes that list without a lock: a compile finds a free chunk under orc's mutex but
// splits it and marks it used after letting go, and releasing a program marks its chunk free, merges
// it with its neighbours and frees their records with no lock at all. libvips compiles one program
// at a time, but releases them whenever the last image of an operation that has one (the reductions
// of every thumbnail and resize, the integer convolutions) goes away, on whichever thread drops it.
// Two threads releasing at once, or one releasing while another compiles, free the same chunk record
// twice or hand out overlapping code: the heap breaks and JIT code jumps into garbage.
//
// libvips reaches both functions through the dynamic linker, so the definitions below, in the
// executable, are the ones it calls; they run orc's own under one lock.

namespace {

std::mutex& codeLock() {
    static std::mutex lock;
    return lock;
}

template <typename Function>
Function orcsOwn(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) OrcCompileResult orc_program_compile(OrcProgram* program) {
    using Compile = OrcCompileResult (*)(OrcProgram*);
    static const auto compile = orcsOwn<Compile>("orc_program_compile");
    const std::lock_guard hold(codeLock());
    return compile(program);
}

__attribute__((visibility("default"))) void orc_program_free(OrcProgram* program) {
    using Free = void (*)(OrcProgram*);
    static const auto release = orcsOwn<Free>("orc_program_free");
    const std::lock_guard hold(codeLock());
    release(program);
}

}  // extern "C"

namespace image::detail {

void serialiseVectorCode() {
    const bool boundHere = dlsym(RTLD_DEFAULT, "orc_program_compile") == &orc_program_compile &&
                           dlsym(RTLD_DEFAULT, "orc_program_free") == &orc_program_free &&
                           dlsym(RTLD_NEXT, "orc_program_compile") && dlsym(RTLD_NEXT, "orc_program_free");
    if (!boundHere) vips_vector_set_enabled(FALSE);
}

}  // namespace image::detail
