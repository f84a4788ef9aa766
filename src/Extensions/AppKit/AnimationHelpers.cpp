#include "Extensions/AppKit/AnimationHelpers.h"

#include <filesystem>

#include "Platform/AppKit/AnimationContext.h"
#include "Platform/AppKit/Workspace.h"

namespace animationcontext {

void animate(double duration, const appkit::TimingFunction& timingFunction,
             const std::function<void()>& changes, std::function<void()> completion, const QObject* owner) {
    appkit::AnimationContext::runAnimationGroup(
        [&](appkit::AnimationContext& context) {
            context.allowsImplicitAnimation = true;
            context.duration = duration;
            context.timingFunction = timingFunction;
            if (changes) changes();
        },
        std::move(completion), owner);
}

}  // namespace animationcontext

void revealInFinder(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    appkit::Workspace::shared().activateFileViewerSelecting(
        {error ? path : absolute.lexically_normal().string()});
}
