#include "Platform/AppKit/AccessibleRoles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace appkit {

namespace {

// A dialog that is modal tells so: a screen reader then keeps the user inside it, as the window
// behind takes no input until it closes.
class DialogAccessible : public QAccessibleWidget {
  public:
    explicit DialogAccessible(QWidget* dialog) : QAccessibleWidget(dialog, QAccessible::Dialog) {}
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.modal = widget()->windowModality() != Qt::NonModal;
        return state;
    }
};

QAccessibleInterface* roleFor(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("appkit::Window"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("appkit::Toolbar"))
        return new QAccessibleWidget(widget, QAccessible::ToolBar);
    if (className == QLatin1String("appkit::SegmentedControl"))
        return new QAccessibleWidget(widget, QAccessible::PageTabList);
    if (className == QLatin1String("QDialog") && widget->isWindow()) return new DialogAccessible(widget);
    return nullptr;
}

}  // namespace

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(roleFor);
        return true;
    }();
    (void)installed;
}

}  // namespace appkit
