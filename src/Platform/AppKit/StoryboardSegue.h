#pragma once
// A storyboard segue: lives for one perform, holding its identifier and both ends. The segue
// classes differ in which controller is the container, where the new child goes and when the old
// one leaves; each builds the destination's view before it animates. Main thread only.

#include <memory>
#include <string>

#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/TransitionOptions.h"

namespace appkit {

class View;
class ViewController;

// The transition a segue identifier asks for: the word before the first "_" decides.
TransitionOptions segueTransitionOptions(const std::string& identifier);

class StoryboardSegue {
  public:
    StoryboardSegue(std::string identifier, std::shared_ptr<ViewController> source,
                    std::shared_ptr<ViewController> destination);
    virtual ~StoryboardSegue() = default;

    const std::string& identifier() const { return identifier_; }
    ViewController* sourceController() const { return source_.get(); }
    ViewController* destinationController() const { return destination_.get(); }
    const std::shared_ptr<ViewController>& destination() const { return destination_; }

    virtual void perform() = 0;

  protected:
    std::string identifier_;
    std::shared_ptr<ViewController> source_;
    std::shared_ptr<ViewController> destination_;
};

// Swaps among siblings; the container (the source's parent) stays, the old child leaves at the end.
class AnimationSegue : public StoryboardSegue {
  public:
    using StoryboardSegue::StoryboardSegue;
    void perform() override;
};

// Swaps among siblings; the window takes the destination's size, centred where it was.
class AnimationSegueWin : public StoryboardSegue {
  public:
    using StoryboardSegue::StoryboardSegue;
    void perform() override;
};

// Swaps among siblings; heights follow the container.
class AnimationSeguePop : public StoryboardSegue {
  public:
    using StoryboardSegue::StoryboardSegue;
    void perform() override;
};

// The source is the container: the first use embeds, later uses replace its child.
class AnimationSegueChild : public StoryboardSegue {
  public:
    using StoryboardSegue::StoryboardSegue;
    void perform() override;

  protected:
    virtual void transitionToDestination();
};

// The source is the container and keeps its old child: the destination slides in over it.
class AnimationSegueSub : public StoryboardSegue {
  public:
    using StoryboardSegue::StoryboardSegue;
    void perform() override;
};

// A storyboard embed: the destination becomes a child filling a container view of the source.
class EmbedSegue : public StoryboardSegue {
  public:
    EmbedSegue(std::string identifier, std::shared_ptr<ViewController> source,
               std::shared_ptr<ViewController> destination, View* container);
    void perform() override;

  private:
    View* container_;
};

// Presents the destination as a sheet of the source's window.
class SheetSegue : public StoryboardSegue {
  public:
    using StoryboardSegue::StoryboardSegue;
    void perform() override;
};

std::unique_ptr<StoryboardSegue> makeSegue(SegueKind kind, std::string identifier,
                                           std::shared_ptr<ViewController> source,
                                           std::shared_ptr<ViewController> destination);

}  // namespace appkit
