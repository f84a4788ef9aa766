#include "Controls/SystemAppearance.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QProcess>

#include "Platform/AppKit/LayerPainter.h"

namespace controls {

namespace {

constexpr char kSchema[] = "org.gnome.desktop.interface";
constexpr char kKey[] = "color-scheme";

// Qt starts a program from a child that shares the parent's memory until the program runs. Under
// ThreadSanitizer that child leaves the starting thread's sanitizer state unbalanced for good: from
// then on none of the thread's calls is checked and the signals it takes are never handled. Such a
// build asks the desktop nothing and follows the window palette.
#if defined(__SANITIZE_THREAD__)
constexpr bool kMayStartPrograms = false;
#else
constexpr bool kMayStartPrograms = true;
#endif

std::optional<bool> darkFromSchemeText(const QString& text) {
    if (text.contains("prefer-dark")) return true;
    if (text.contains("default") || text.contains("prefer-light")) return false;
    return std::nullopt;
}

bool paletteIsDark() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

}  // namespace

SystemAppearance& SystemAppearance::instance() {
    static SystemAppearance* appearance = new SystemAppearance;  // lives as long as the process
    return *appearance;
}

SystemAppearance::SystemAppearance() {
    readDesktop();
    if (auto* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
        if (kMayStartPrograms) watchDesktop();
    }
}

void SystemAppearance::readDesktop() {
    // Asked in the background: a desktop whose settings service is slow to answer must not hold up
    // the first window. Until the answer comes the window palette decides.
    if (!QCoreApplication::instance() || !kMayStartPrograms) return;
    auto* gsettings = new QProcess(this);
    connect(gsettings, &QProcess::finished, this,
            [this, gsettings](int exitCode, QProcess::ExitStatus status) {
                gsettings->deleteLater();
                if (status != QProcess::NormalExit || exitCode != 0) return;
                const auto dark = darkFromSchemeText(QString::fromUtf8(gsettings->readAllStandardOutput()));
                if (dark == gsettingsDark_) return;
                const bool before = desktopIsDark();
                gsettingsDark_ = dark;
                if (desktopIsDark() != before) Q_EMIT changed();
            });
    connect(gsettings, &QProcess::errorOccurred, gsettings, &QObject::deleteLater);
    gsettings->start("gsettings", {"get", kSchema, kKey});
}

void SystemAppearance::watchDesktop() {
    monitor_ = new QProcess;
    // The watcher ends with the application, before Qt tears down what it needs.
    qAddPostRoutine([] {
        QProcess*& monitor = instance().monitor_;
        if (!monitor) return;
        monitor->kill();
        monitor->waitForFinished(1000);
        delete monitor;
        monitor = nullptr;
    });
    connect(monitor_, &QProcess::readyReadStandardOutput, this, [this] {
        const auto dark = darkFromSchemeText(QString::fromUtf8(monitor_->readAllStandardOutput()));
        if (dark && dark != gsettingsDark_) {
            gsettingsDark_ = dark;
            if (!overrideDark_) Q_EMIT changed();
        }
    });
    monitor_->start("gsettings", {"monitor", kSchema, kKey});
}

bool SystemAppearance::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationPaletteChange)
        Q_EMIT changed();
    return false;
}

bool SystemAppearance::desktopIsDark() const {
    if (overrideDark_) return *overrideDark_;
    if (gsettingsDark_) return *gsettingsDark_ || paletteIsDark();
    return paletteIsDark();
}

void SystemAppearance::overrideDesktopIsDark(std::optional<bool> dark) {
    overrideDark_ = dark;
    Q_EMIT changed();
}

cg::Color SystemAppearance::controlAccentColor() const {
    if (overrideAccent_) return *overrideAccent_;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return {0, 0.478, 1, 1};
    return appkit::fromQColor(QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight));
}

void SystemAppearance::overrideAccentColor(std::optional<cg::Color> accent) {
    overrideAccent_ = accent;
    Q_EMIT changed();
}

cg::Color SystemAppearance::labelColor(InterfaceStyle style) {
    return colour::labelColor(interfacestyle::appearance(style));
}

cg::Color SystemAppearance::controlBackgroundColor(InterfaceStyle style) {
    return style == InterfaceStyle::Dark ? cg::Color{0.118, 0.118, 0.118, 1} : cg::Color{1, 1, 1, 1};
}

cg::Color SystemAppearance::bezelColor(InterfaceStyle style) {
    return style == InterfaceStyle::Dark ? cg::Color{0.36, 0.36, 0.38, 1} : cg::Color{1, 1, 1, 1};
}

cg::Color SystemAppearance::bezelFrameColor(InterfaceStyle style) {
    return style == InterfaceStyle::Dark ? cg::Color{0.45, 0.45, 0.47, 1} : cg::Color{0.75, 0.75, 0.77, 1};
}

}  // namespace controls
