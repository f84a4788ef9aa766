#pragma once
// ButtonBase: the push button the drawn buttons are built on: an attributed title, an image and an
// alternate image, an on/off/mixed state that clicks advance by button type, a bezel that can show
// only while the mouse is inside, a cell with padding, tracking rectangles that decide whether
// entering and leaving reach mouseEntered/mouseExited (once per crossing, however many rectangles),
// and cursor rectangles. Titles without a colour of their own, or with an invisible one, are drawn
// in the label colour of the interface style, which the button follows live. Main thread only.

#include <functional>
#include <memory>

#include "Controls/AttributedTitle.h"
#include "Controls/ButtonCell.h"
#include "Controls/ButtonImage.h"
#include "Controls/InterfaceStyle.h"
#include "Platform/AppKit/View.h"

namespace controls {

class ButtonBase : public appkit::View {
    Q_OBJECT
  public:
    enum class StateValue { Mixed = -1, Off = 0, On = 1 };
    enum class ButtonType { MomentaryPushIn, PushOnPushOff, Toggle };

    explicit ButtonBase(QWidget* parent = nullptr);
    bool isFlipped() const override { return true; }

    QString title() const { return attributedTitle_.string(); }
    // A plain title in the button's font, with no colour of its own.
    void setTitle(const QString& title);
    const AttributedTitle& attributedTitle() const { return attributedTitle_; }
    void setAttributedTitle(AttributedTitle title);

    std::shared_ptr<ButtonImage> image() const { return image_; }
    void setImage(std::shared_ptr<ButtonImage> image);
    std::shared_ptr<ButtonImage> alternateImage() const { return alternateImage_; }
    void setAlternateImage(std::shared_ptr<ButtonImage> image) { alternateImage_ = std::move(image); }

    StateValue state() const { return state_; }
    void setState(StateValue state);
    ButtonType buttonType() const { return type_; }
    void setButtonType(ButtonType type) { type_ = type; }
    bool allowsMixedState() const { return allowsMixedState_; }
    void setAllowsMixedState(bool allows) { allowsMixedState_ = allows; }

    bool isBordered() const { return bordered_; }
    void setBordered(bool bordered);
    int bezelStyle() const { return bezelStyle_; }
    void setBezelStyle(int style) { bezelStyle_ = style; }
    bool showsBorderOnlyWhileMouseInside() const { return bordersOnlyInside_; }
    void setShowsBorderOnlyWhileMouseInside(bool only);
    int backgroundStyle() const { return backgroundStyle_; }
    void setBackgroundStyle(int style) {
        backgroundStyle_ = style;
        update();
    }
    ButtonCell* cell() const { return cell_.get(); }
    void setCell(std::unique_ptr<ButtonCell> cell);

    void setAction(std::function<void(ButtonBase&)> action) { action_ = std::move(action); }
    // Advances the state as a click would and sends the action.
    void performClick();

    bool isMouseInside() const { return mouseInside_; }
    int addTrackingRect();
    void removeTrackingRect(int tag);
    int trackingRectCount() const { return static_cast<int>(trackingTags_.size()); }
    const std::vector<int>& trackingRectTags() const { return trackingTags_; }
    void addCursorRect(Qt::CursorShape shape) { setCursor(shape); }

    // Called by the scene builder after it has applied the designed attributes.
    virtual void awakeFromNib() {}
    virtual void mouseEntered() {}
    virtual void mouseExited() {}
    virtual void viewDidEndLiveResize() {}
    // The first click on an inactive window is always delivered here.
    virtual bool acceptsFirstMouse() const { return true; }

    // The colour the title is drawn in now.
    cg::Color effectiveTitleColor() const;
    QSize sizeHint() const override;

  protected:
    void drawContent(QPainter& painter) override;
    virtual void drawBezel(QPainter& painter, const QRectF& rect);
    // The room the title and image get, in Qt coordinates.
    QRectF interiorRect() const;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The desktop switched between light and dark, or its palette or accent changed.
    virtual void interfaceStyleDidChange() { update(); }
    bool isPressed() const { return pressed_; }

  private:
    void advanceState();

    AttributedTitle attributedTitle_;
    std::shared_ptr<ButtonImage> image_, alternateImage_;
    StateValue state_ = StateValue::Off;
    ButtonType type_ = ButtonType::MomentaryPushIn;
    bool allowsMixedState_ = false;
    bool bordered_ = true;
    int bezelStyle_ = 1;
    bool bordersOnlyInside_ = false;
    int backgroundStyle_ = 0;
    std::unique_ptr<ButtonCell> cell_;
    std::function<void(ButtonBase&)> action_;
    std::vector<int> trackingTags_;
    int nextTrackingTag_ = 1;
    bool mouseInside_ = false;
    bool pressed_ = false;
};

}  // namespace controls
