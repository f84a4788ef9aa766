#include "Platform/AppKit/AccessibleRoles.h"

#include <QAbstractButton>
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

// A segment of a segmented control: one page tab of its list. It is selected rather than checked,
// and pressing it through the screen reader does what a click does, so exactly one tab ends up
// selected.
class PageTabAccessible final : public QAccessibleWidget {
  public:
    explicit PageTabAccessible(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::PageTab) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = false;
        state.checked = false;
        state.selectable = true;
        state.selected = button()->isChecked();
        state.focusable = true;
        return state;
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) return button()->text();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && button()->isEnabled()) button()->click();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
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
    if (auto* button = qobject_cast<QAbstractButton*>(object);
        button && button->property(kPageTabProperty).toBool())
        return new PageTabAccessible(button);
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
