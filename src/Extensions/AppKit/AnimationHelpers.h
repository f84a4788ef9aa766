#pragma once
// One animation group in one call, and showing a file in the file manager. Main thread only.

#include <functional>
#include <string>

#include "Platform/AppKit/TimingFunction.h"

namespace animationcontext {

// Runs `changes` at once inside an animation group with the duration and timing function and
// implicit animation on; `completion`, when given, runs once after the group.
void animate(double duration, const appkit::TimingFunction& timingFunction,
             const std::function<void()>& changes, std::function<void()> completion = {});

}  // namespace animationcontext

// Shows the file manager with the file at `path` selected; reports nothing, whatever the path.
void revealInFinder(const std::string& path);
