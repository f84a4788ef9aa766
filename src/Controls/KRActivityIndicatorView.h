#pragma once
// KRActivityIndicatorView: the spinner of the preset list. New ones are hidden; starting shows the
// view and sets up two turning, pulsing rings in `color` (whatever `type` says); stopping hides it
// and removes them. While the view is hidden, by itself or with its window, no animation timer
// runs; a running indicator that shows again sets its rings up afresh. Main thread only.

#include <optional>

#include "Controls/KRActivityIndicatorType.h"
#include "Platform/AppKit/View.h"

namespace controls {

class KRActivityIndicatorView : public appkit::View {
    Q_OBJECT
  public:
    // As a scene creates it: the class defaults, hidden.
    explicit KRActivityIndicatorView(QWidget* parent = nullptr);
    // As code creates it: absent values take the class defaults; hidden.
    KRActivityIndicatorView(const cg::Rect& frame, std::optional<KRActivityIndicatorType> type,
                            std::optional<cg::Color> color, std::optional<double> padding, QWidget* parent);

    // Class-wide defaults for new indicators (blank, white, 0); safe from any thread.
    static KRActivityIndicatorType defaultType();
    static void setDefaultType(KRActivityIndicatorType type);
    static cg::Color defaultColor();
    static void setDefaultColor(cg::Color colour);
    static double defaultPadding();
    static void setDefaultPadding(double padding);

    KRActivityIndicatorType type() const { return type_; }
    void setType(KRActivityIndicatorType type) { type_ = type; }
    // The name of `type`; setting a name picks the first type with that name ignoring case and
    // leaves the type alone when none matches.
    std::string typeName() const;
    void setTypeName(const std::string& name);
    cg::Color color() const { return color_; }
    void setColor(cg::Color colour) { color_ = colour; }
    double padding() const { return padding_; }
    void setPadding(double padding) { padding_ = padding; }
    bool isAnimating() const { return isAnimating_; }
    void setIsAnimating(bool animating) { isAnimating_ = animating; }

    void startAnimating();
    void stopAnimating();
    // Builds the rings afresh (earlier ones are removed) for the current frame, padding and colour.
    void setUpAnimation();

    // The ring size for a frame and padding: the smaller side of the frame less the padding once.
    static double ringSize(cg::Size frame, double padding);

    QSize sizeHint() const override { return size(); }

  protected:
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void removeRings();

    KRActivityIndicatorType type_;
    cg::Color color_;
    double padding_;
    bool isAnimating_ = false;
};

}  // namespace controls
