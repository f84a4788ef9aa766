#pragma once
// SegmentedControl: a row of labelled segments, one selected (or none, -1). A user's click selects
// and calls the action; setting the selection in code does not. Main thread only.

#include <QWidget>
#include <functional>
#include <vector>

class QButtonGroup;

namespace appkit {

class SegmentedControl : public QWidget {
    Q_OBJECT
  public:
    explicit SegmentedControl(const std::vector<QString>& labels, QWidget* parent = nullptr);

    int segmentCount() const;
    QString labelForSegment(int segment) const;
    int selectedSegment() const { return selected_; }
    void setSelectedSegment(int segment);
    void setAction(std::function<void(SegmentedControl&)> action) { action_ = std::move(action); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QButtonGroup* group_;
    int selected_ = -1;
    std::function<void(SegmentedControl&)> action_;
};

}  // namespace appkit
