#pragma once
// Window: a top-level window showing one content controller. Its frame is in screen coordinates
// with y up from the bottom of the primary screen; it counts the sheets attached to it (window-modal
// panels, alerts and presented controllers). Main thread only.

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Geometry.h"

namespace foundation {
class UserDefaults;
}

namespace appkit {

class Toolbar;
class ViewController;
class WindowController;

class Window : public QWidget {
    Q_OBJECT
  public:
    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    void setContentViewController(std::shared_ptr<ViewController> controller);
    ViewController* contentViewController() const { return content_.get(); }
    // The controller that made this window, if any.
    WindowController* windowController() const { return windowController_; }
    void setWindowController(WindowController* controller) { windowController_ = controller; }

    // The toolbar above the content (the window takes ownership); nullptr when there is none.
    Toolbar* toolbar() const;
    void setToolbar(Toolbar* toolbar);

    cg::Rect frame() const;
    void setFrame(const cg::Rect& frame, bool display = true, bool animate = false);

    // Sheets currently attached and not yet closed.
    int sheetCount() const;
    void attachSheet(QWidget* sheet);

    // The window a widget is shown in, or nullptr.
    static Window* of(const QWidget* widget);

    // Remembers the frame in the settings under "NSWindow Frame <name>" and restores it now when
    // one was stored; every later move or resize is stored again.
    void setFrameAutosaveName(const std::string& name, foundation::UserDefaults& defaults);
    const std::string& frameAutosaveName() const { return autosaveName_; }

    void setMaxSize(cg::Size size);
    void setMinSize(cg::Size size);

    // Title-bar buttons: hiding one the window manager cannot hide is accepted and ignored.
    enum class StandardButton { Close, Miniaturize, Zoom };
    void setStandardButtonHidden(StandardButton button, bool hidden);
    bool isStandardButtonHidden(StandardButton button) const;

    // Title-bar and chrome options a Linux window manager does not offer: kept, not applied.
    bool titlebarAppearsTransparent = false;
    bool fullSizeContentView = false;
    bool movableByWindowBackground = false;
    bool isOpaque = true;
    double bottomContentBorderThickness = 0;
    std::optional<cg::Color> backgroundColor;

  Q_SIGNALS:
    void didResize();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    void saveFrame();
    void applyButtonHints();

    std::string autosaveName_;
    foundation::UserDefaults* autosaveDefaults_ = nullptr;
    bool hidden_[3] = {false, false, false};
    std::shared_ptr<ViewController> content_;
    WindowController* windowController_ = nullptr;
    QPointer<Toolbar> toolbar_;
    std::vector<QPointer<QWidget>> sheets_;
};

}  // namespace appkit
