#include "Platform/AppKit/AccessibleRoles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace appkit {

namespace {

QAccessibleInterface* roleFor(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("appkit::Window"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("appkit::Toolbar"))
        return new QAccessibleWidget(widget, QAccessible::ToolBar);
    if (className == QLatin1String("appkit::SegmentedControl"))
        return new QAccessibleWidget(widget, QAccessible::PageTabList);
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
