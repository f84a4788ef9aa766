#pragma once
// Window: a top-level window showing one content controller. Its frame is in screen coordinates
// with y up from the bottom of the primary screen; it counts the sheets attached to it (window-modal
// panels, alerts and presented controllers). Main thread only.

#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "Platform/Graphics/Geometry.h"

namespace appkit {

class ViewController;

class Window : public QWidget {
    Q_OBJECT
  public:
    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    void setContentViewController(std::shared_ptr<ViewController> controller);
    ViewController* contentViewController() const { return content_.get(); }

    cg::Rect frame() const;
    void setFrame(const cg::Rect& frame, bool display = true, bool animate = false);

    // Sheets currently attached and not yet closed.
    int sheetCount() const;
    void attachSheet(QWidget* sheet);

    // The window a widget is shown in, or nullptr.
    static Window* of(const QWidget* widget);

  Q_SIGNALS:
    void didResize();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::shared_ptr<ViewController> content_;
    std::vector<QPointer<QWidget>> sheets_;
};

}  // namespace appkit
