#pragma once
// StackView: a strip of buttons (a tab bar) that lines its views up along its orientation, detaches
// the views of lowest visibility priority when space runs short (offering them in the menu of a
// "..." button meanwhile), and marks the button that is on with an underline, a bordered box or the
// button's own toggle look. Each button carries at most one mark, and marks never replace a
// button's other layers. Main thread only; the mark drawing after a selection runs on the main queue.

#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "Platform/AppKit/Menu.h"
#include "Platform/AppKit/View.h"

namespace controls {

class Button;
class ButtonBase;

class StackView : public appkit::View {
    Q_OBJECT
  public:
    enum class Orientation { Horizontal = 0, Vertical = 1 };
    static constexpr char kSelectionMarkName[] = "selectionMark";

    explicit StackView(QWidget* parent = nullptr);
    ~StackView() override;
    bool isFlipped() const override { return true; }

    bool visibilityPriority() const { return visibilityPriority_; }
    // Stores the value and gives the subviews the priorities n, n - 1, ..., 1, whatever the value.
    void setVisibilityPriority(bool value);
    bool isDragable = true;
    cg::Color underColor = cg::Color::black();
    cg::Point underRadius;
    cg::Point underOffset;
    double underSize = 1;
    long long underStyle = 0;
    bool underSelection() const { return underSelection_; }
    // Stores the value and selects the button at `underSelected` (marks follow 0.1 s later).
    void setUnderSelection(bool value);
    long long underSelected = -1;

    // The refill operation: by default removes every view and adds the given ones in order.
    std::function<void(StackView&, const std::vector<QWidget*>&)> update;

    Orientation orientation() const { return orientation_; }
    void setOrientation(Orientation orientation);
    double spacing() const { return spacing_; }
    void setSpacing(double spacing);
    const std::vector<QWidget*>& views() const { return views_; }
    void addView(QWidget* view);
    void removeView(QWidget* view);
    const std::vector<QWidget*>& detachedViews() const { return detached_; }
    float visibilityPriorityForView(const QWidget* view) const;
    void setVisibilityPriorityForView(QWidget* view, float priority);

    void selectButton(ButtonBase& button);
    void drawSelectionUnderline();
    Button& overflowRevealButton();
    bool hasOverflowRevealButton() const { return overflow_ != nullptr; }
    // The menu of the detached buttons that have a title, or nullptr when none is detached.
    std::unique_ptr<appkit::Menu> overflowMenu() const;
    void popUpOverflowMenu(QWidget* sender);

    // Delegate calls around detaching: before views detach and after views came back.
    virtual void stackViewWillDetachViews(const std::vector<QWidget*>& views);
    virtual void stackViewDidReattachViews(const std::vector<QWidget*>& views);

    // The mark layers a button carries now.
    static int selectionMarkCount(const appkit::View& button);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void assignVisibilityPriorities();
    void applyUnderSelection();
    void markButton(ButtonBase& button);
    void attachOverflowRevealButton();
    void layoutViews();
    static void defaultUpdate(StackView& stack, const std::vector<QWidget*>& views);

    bool visibilityPriority_ = true;
    bool underSelection_ = false;
    Orientation orientation_ = Orientation::Horizontal;
    double spacing_ = 8;
    std::vector<QWidget*> views_;
    std::vector<QWidget*> detached_;
    std::map<const QWidget*, float> priorities_;
    QPointer<Button> overflow_;
    QPointer<appkit::Menu> shownMenu_;
};

}  // namespace controls
