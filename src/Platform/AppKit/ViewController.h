#pragma once
// ViewController: a screen or part of one. It has an identifier (its scene in the storyboard), a
// parent and ordered children, and a view built lazily (loadView, then viewDidLoad). It swaps child
// views with animated transitions, performs storyboard segues (prepareForSegue runs on the
// performer before the destination's view is built) and presents controllers as sheets of its
// window. Controllers are shared objects: a parent holds its children, a running transition holds
// both ends until it completes. Main thread only.

#include <QAbstractAnimation>
#include <QObject>
#include <QPointer>
#include <any>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Platform/AppKit/TransitionOptions.h"
#include "Platform/AppKit/View.h"

class QDialog;

namespace appkit {

class Storyboard;
class StoryboardSegue;
class Window;

class ViewController : public QObject, public std::enable_shared_from_this<ViewController> {
    Q_OBJECT
  public:
    ViewController();
    ~ViewController() override;

    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }
    Storyboard* storyboard() const { return storyboard_; }
    void setStoryboard(Storyboard* storyboard) { storyboard_ = storyboard; }

    // The view, built on first use.
    View* view();
    bool isViewLoaded() const { return view_ != nullptr; }
    void loadViewIfNeeded() { view(); }
    Window* window() const;

    ViewController* parent() const { return parent_; }
    const std::vector<std::shared_ptr<ViewController>>& children() const { return children_; }
    void addChild(std::shared_ptr<ViewController> child);
    void insertChild(std::shared_ptr<ViewController> child, std::size_t index);
    void removeChild(std::size_t index);
    void removeFromParent();
    template <class T>
    T* firstChild() const {
        for (const auto& c : children_)
            if (auto* t = dynamic_cast<T*>(c.get())) return t;
        return nullptr;
    }

    // Puts `to`'s view where `from`'s view is in this controller's view, animates by `options`,
    // removes `from`'s view, then runs `completion` (inside this call when nothing animates). A
    // transition started while another runs on this controller first brings that one to its end.
    virtual void transition(ViewController& from, ViewController& to, TransitionOptions options,
                            std::function<void()> completion = {});
    bool isTransitioning() const { return runningTransition_ != nullptr; }
    // Brings a running transition to its end at once, running its completion.
    void completeRunningTransition();

    // Looks up the segue (this scene, identifier) in the storyboard, makes the destination, calls
    // prepareForSegue here, then performs the segue. Unknown segues print a line and do nothing.
    void performSegue(const std::string& identifier, std::any sender = {});
    virtual void prepareForSegue(StoryboardSegue& segue, const std::any& sender);
    // A storyboard embed into `container` (a view inside this controller's view): by the segue
    // identifier of this scene's table, or by the destination scene for embeds without identifier.
    // prepareForSegue runs as for any segue. Returns the new child, or nullptr.
    ViewController* embedSegue(const std::string& identifier, View* container);
    ViewController* embedScene(const std::string& sceneIdentifier, View* container);

    // Sheets: a window-modal panel over this controller's window, counted by the window.
    void presentAsSheet(std::shared_ptr<ViewController> controller);
    void dismiss(ViewController* presented);
    void dismiss() {
        if (presenting_) presenting_->dismiss(this);
    }
    ViewController* presentingViewController() const { return presenting_; }
    const std::vector<std::shared_ptr<ViewController>>& presentedViewControllers() const {
        return presented_;
    }

  protected:
    // Builds the view; the default is an empty View. Call setView.
    virtual void loadView();
    void setView(View* view);
    virtual void viewDidLoad() {}
    virtual void viewWillAppear() {}
    virtual void viewDidAppear() {}
    virtual void viewWillDisappear() {}
    virtual void viewDidDisappear() {}
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::string identifier_;
    Storyboard* storyboard_ = nullptr;
    // Held as a widget: the view is read while it is torn down (its own events reach eventFilter
    // then), and a view past its View part must not be taken for one.
    QPointer<QWidget> view_;
    bool loadingView_ = false;
    ViewController* parent_ = nullptr;
    std::vector<std::shared_ptr<ViewController>> children_;
    QPointer<QAbstractAnimation> runningTransition_;
    ViewController* presenting_ = nullptr;
    std::vector<std::shared_ptr<ViewController>> presented_;
    QPointer<QDialog> sheet_;
};

}  // namespace appkit
