#pragma once
// The app-wide globals every screen and the batch engine reach: the application delegate, the
// settings and the application name. Each is made once, on first use, safely from any thread.

#include <optional>
#include <string>

#include "Platform/Foundation/Bundle.h"
#include "Platform/Foundation/UserDefaults.h"

class AppDelegate;

// The running application delegate; null until its constructor registers itself. Written once on
// the main thread before any screen or worker runs.
AppDelegate* appDelegate();
void setAppDelegate(AppDelegate* delegate);

// The standard settings.
foundation::UserDefaults& userDefaults();

// The bundle's "CFBundleName" when it is text; absent otherwise. Readers bring their own fallback.
const std::optional<std::string>& appName();
std::optional<std::string> appNameOf(const foundation::Bundle& bundle);
