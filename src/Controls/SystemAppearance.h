#pragma once
// SystemAppearance: what the desktop tells the controls about its look: whether its colour scheme
// is dark (the GNOME "color-scheme" setting once gsettings has answered in the background; until
// then, or without it, a dark window palette), the accent colour (the palette's highlight) and the
// colours of plain label text and content backgrounds per style. It watches the desktop and says `changed`
// when the scheme or the palette changes, so controls restyle live. One process-wide object, made on first
// use; main thread only.

#include <QObject>
#include <optional>

#include "Controls/InterfaceStyle.h"
#include "Platform/Graphics/Color.h"

class QProcess;

namespace controls {

class SystemAppearance : public QObject {
    Q_OBJECT
  public:
    static SystemAppearance& instance();

    bool desktopIsDark() const;
    // Replaces what the desktop says (absent: listen to the desktop again) and announces the change.
    // For tests and for the screenshot scenes.
    void overrideDesktopIsDark(std::optional<bool> dark);

    cg::Color controlAccentColor() const;
    void overrideAccentColor(std::optional<cg::Color> accent);
    // Whether accent colours are offered at all (the platform's accent colours arrived with a system
    // version; false gives the older behaviour everywhere).
    bool accentColorsAvailable() const { return accentAvailable_; }
    void setAccentColorsAvailable(bool available) { accentAvailable_ = available; }

    // The colour of ordinary label text in a style: near-black on light, near-white on dark.
    static cg::Color labelColor(InterfaceStyle style);
    // The background of lists, grids and cells that hold content, per style.
    static cg::Color controlBackgroundColor(InterfaceStyle style);
    // The resting face of a bordered push button and its frame, per style.
    static cg::Color bezelColor(InterfaceStyle style);
    static cg::Color bezelFrameColor(InterfaceStyle style);

  Q_SIGNALS:
    void changed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    SystemAppearance();
    void readDesktop();
    void watchDesktop();

    std::optional<bool> gsettingsDark_;  // absent when gsettings gave no answer
    std::optional<bool> overrideDark_;
    std::optional<cg::Color> overrideAccent_;
    bool accentAvailable_ = true;
    QProcess* monitor_ = nullptr;
};

}  // namespace controls
