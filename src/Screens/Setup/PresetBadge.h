#pragma once
// PresetBadge: the small outlined label a preset card shows for its format, effect and crop. Its
// outline and tint are drawn from its own text colour, so it reads the same on light and dark cards.
// Main thread only.

#include <QLabel>

class PresetBadge : public QLabel {
    Q_OBJECT
  public:
    explicit PresetBadge(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
};
