#pragma once
// A short message in a popover beside a view (a missing size in the preset editor, say): one line
// of 14-point text, centred, black on light or white on dark, closed by the next click elsewhere.
// A view scrolled out of sight is scrolled into view first. Main thread only.

#include <QPointer>
#include <memory>
#include <string>

#include "Platform/AppKit/Popover.h"

namespace shell {

// The size of the message's field: the measured text plus 10 points, at least 25 points high.
QSize messageFieldSize(const std::string& message);

// Shows `message` in `popover` at `edge` of `anchor`; nothing without a popover or an anchor.
void showMessagePopover(const std::string& message, QWidget* anchor, appkit::RectEdge edge,
                        const std::shared_ptr<appkit::Popover>& popover, bool dark);

}  // namespace shell
