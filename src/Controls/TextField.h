#pragma once
// TextField: an editable field with a placeholder colour, a border that shows while the pointer is
// over it (and stays while it is edited), a caret in the text colour, and a font that shrinks in
// steps of 2 points, 0.02 s apart, until the text fits. Only the latest fitting pass runs and no step
// goes below 1 point, so fitting always ends. Main thread only; the steps run on the main queue.

#include <QLineEdit>
#include <optional>

#include "Controls/TextFieldCell.h"
#include "Platform/Graphics/Color.h"

namespace controls {

class TextField : public QLineEdit {
    Q_OBJECT
  public:
    explicit TextField(QWidget* parent = nullptr);

    cg::Color placeholderColor() const { return placeholderColor_; }
    void setPlaceholderColor(cg::Color colour);
    cg::Color borderHover() const { return borderHover_; }
    void setBorderHover(cg::Color colour) { borderHover_ = colour; }
    cg::Color borderColorBack() const { return borderColorBack_; }
    bool isFocused() const { return isFocused_; }
    double fontDefaultSize() const { return fontDefaultSize_; }
    double fontMinSize() const { return fontMinSize_; }
    void setFontMinSize(double size) { fontMinSize_ = size; }
    bool updateFontSize() const { return updateFontSize_; }
    bool fontAutoSize() const { return fontAutoSize_; }
    // Stores the flag and starts a fitting pass, whatever the value.
    void setFontAutoSize(bool on);

    // The layer border: drawn inside the bounds while its colour is set and its width positive.
    std::optional<cg::Color> borderColor() const { return borderColor_; }
    void setBorderColor(std::optional<cg::Color> colour);
    double borderWidth() const { return borderWidth_; }
    void setBorderWidth(double width);

    QString stringValue() const { return text(); }
    // Shows `value`, puts the font back to the size the field started with and fits it again.
    void setStringValue(const QString& value);
    cg::Color textColor() const;
    void setTextColor(cg::Color colour);

    // Called by the scene builder after it has applied the designed attributes: hover tracking on.
    virtual void awakeFromNib();
    virtual void applyColors();
    void updatePlaceholder();
    void autoSizeFont();
    // Whether the whole text shows in the field at its current font.
    virtual bool textFits() const;
    double currentFontSize() const;

    // A padded cell: the text keeps its distance from the edges; the field grows by the padding's
    // height and keeps its width.
    const std::optional<TextFieldCell>& cell() const { return cell_; }
    void setCell(std::optional<TextFieldCell> cell);
    QSize sizeHint() const override;

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void mouseEntered();
    void mouseExited();
    void fitStep(unsigned pass);

    cg::Color placeholderColor_;
    cg::Color borderHover_ = cg::Color::clear();
    cg::Color borderColorBack_ = cg::Color::clear();
    bool isFocused_ = false;
    double fontDefaultSize_ = 0;
    double fontMinSize_ = 10;
    bool updateFontSize_ = false;
    bool fontAutoSize_ = false;
    std::optional<cg::Color> borderColor_;
    double borderWidth_ = 0;
    bool tracking_ = false;
    std::optional<TextFieldCell> cell_;
    unsigned fittingPass_ = 0;  // steps of older passes see a newer number and stop
};

}  // namespace controls
