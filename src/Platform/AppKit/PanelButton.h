#pragma once
// PanelButton: the push button of the panels' button bars. Every button of a bar is drawn the same
// way from the palette (light and dark), whatever its role, and `matchSizes` gives them one size.
// Main thread only.

#include <QPushButton>
#include <initializer_list>

namespace appkit {

class PanelButton : public QPushButton {
  public:
    explicit PanelButton(const QString& title, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Gives each button the size of the largest, so a bar's buttons line up as one set.
    static void matchSizes(std::initializer_list<PanelButton*> buttons);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

}  // namespace appkit
