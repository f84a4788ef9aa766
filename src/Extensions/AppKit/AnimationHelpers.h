#pragma once
// One animation group in one call, and showing a file in the file manager. Main thread only.

#include <QObject>
#include <functional>
#include <string>

#include "Platform/AppKit/TimingFunction.h"

namespace animationcontext {

// Runs `changes` at once inside an animation group with the duration and timing function and
// implicit animation on; `completion`, when given, runs once after the group (and is dropped when
// `owner` is given and gone by then).
void animate(double duration, const appkit::TimingFunction& timingFunction,
             const std::function<void()>& changes, std::function<void()> completion = {},
             const QObject* owner = nullptr);

}  // namespace animationcontext

// Shows the file manager with the file at `path` selected; reports nothing, whatever the path.
void revealInFinder(const std::string& path);
