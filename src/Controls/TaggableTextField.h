#pragma once
// TaggableTextField: a field that draws a rounded chip behind every run of its text marked as a
// tag, the earlier chip over the later where they overlap. Text is always plain, never markup.
// Main thread only.

#include <QLineEdit>
#include <vector>

#include "Controls/TaggedRun.h"

namespace controls {

class TaggableTextField : public QLineEdit {
    Q_OBJECT
  public:
    explicit TaggableTextField(QWidget* parent = nullptr) : QLineEdit(parent) {}

    const std::vector<TaggedRun>& runs() const { return runs_; }
    // The text with its attribute runs; runs outside the text are cut to it.
    void setAttributedStringValue(const QString& text, std::vector<TaggedRun> runs);

    // The fill and text colour of chips that name none.
    static cg::Color selectedKnobColor();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void drawChip(QPainter& painter, const TaggedRun& run);

    std::vector<TaggedRun> runs_;
};

}  // namespace controls
