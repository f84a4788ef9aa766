#pragma once
// A layout constraint whose constant can be read, set and animated (through the animator). It
// pins a width or height of a widget, or applies the constant through a function of the screen's
// own. Main thread only; it is a child of the widget it constrains.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace appkit {

class LayoutConstraint : public QObject {
    Q_OBJECT
  public:
    enum class Attribute { Width, Height, MaximumWidth, MaximumHeight };

    LayoutConstraint(QWidget* view, Attribute attribute, double constant);
    LayoutConstraint(QObject* owner, std::function<void(double)> apply, double constant);

    double constant() const { return constant_; }
    void setConstant(double constant);
    QWidget* view() const { return view_; }

  private:
    QPointer<QWidget> view_;
    Attribute attribute_ = Attribute::Width;
    std::function<void(double)> apply_;
    double constant_ = 0;
};

}  // namespace appkit
