#pragma once
// PreviewButton: one of the preview window's own controls (close, previous, next), drawn as a
// light glyph on a faint rounded face so it reads on the window's dark ground. It never takes the
// keyboard focus, which stays with the window's arrow keys. Main thread only.

#include <QAbstractButton>

namespace quicklook {

class PreviewButton final : public QAbstractButton {
  public:
    enum class Glyph { Close, Previous, Next };

    PreviewButton(Glyph glyph, const QString& name, QWidget* parent);

    QSize sizeHint() const override { return {32, 28}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Glyph glyph_;
};

}  // namespace quicklook
