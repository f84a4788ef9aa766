#pragma once
// ImageItemView: the view of one image in the list, as a grid item or as a table row. Its parts
// are subviews at fixed positions, the order the list relies on: 0 background, 1 thumbnail,
// 2 overlay, 3 mark image, 4 mark button, 5 file name, 6 size text, 7 output name, 8 spare text.
// File names are shown as plain text. Main thread only.

#include <QVariant>
#include <algorithm>
#include <optional>
#include "Controls/PushButton.h"

#include "Platform/AppKit/View.h"
#include "Platform/Foundation/UUID.h"
#include "Screens/Activity/ImageWell.h"

#include <QLabel>

namespace screens {

class ImageItemView : public appkit::View {
    Q_OBJECT
  public:
    enum class Form { Grid, Row };
    explicit ImageItemView(Form form, QWidget* parent = nullptr);

    Form form() const { return form_; }
    // Where the texts of a row of that height begin, right of its mark and thumbnail.
    static int rowTextLeft(int rowHeight) { return 40 + std::max(0, rowHeight - 8); }
    ImageWell* thumbnail() const { return thumbnail_; }
    appkit::View* overlay() const { return overlay_; }
    ImageWell* markImage() const { return markImage_; }
    controls::PushButton* markButton() const { return markButton_; }
    QLabel* nameLabel() const { return name_; }
    QLabel* sizeLabel() const { return size_; }
    QLabel* outputLabel() const { return output_; }
    QLabel* spareLabel() const { return spare_; }

    // The record this view shows, so that a thumbnail arriving late finds the right view or none.
    const std::optional<foundation::UUID>& recordId() const { return recordId_; }
    void setRecordId(std::optional<foundation::UUID> id) { recordId_ = std::move(id); }

    // Places the parts again, after their texts or the thumbnail changed.
    void layoutParts();
    // A result tile: the name and the size share one slim strip, so most of the picture shows.
    void setOneLineStrip(bool oneLine);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // A table row draws the hairline that separates it from the next one.
    void drawContent(QPainter& painter) override;

  private:
    // The result tiles' strip: name and size on one line along the picture's foot, or stacked.
    void layoutOneLineStrip(const QRect& picture);
    Form form_;
    appkit::View* background_;
    ImageWell* thumbnail_;
    appkit::View* overlay_;
    ImageWell* markImage_;
    controls::PushButton* markButton_;
    QLabel* name_;
    QLabel* size_;
    QLabel* output_;
    QLabel* spare_;
    std::optional<foundation::UUID> recordId_;
    bool oneLineStrip_ = false;
};

// The mark button's context: the item number and the grid it belongs to.
struct MarkContext {
    int item = -1;
    const void* grid = nullptr;
};
// Stores [item, grid] as the button's accessibility value.
void setMarkContext(controls::PushButton& button, int item, const void* grid);
// The item number when the button's accessibility value is a two-element list starting with an
// item number; absent otherwise.
std::optional<MarkContext> markContext(const controls::PushButton& button);

}  // namespace screens
