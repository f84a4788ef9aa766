#pragma once
// The output folder a job start needs: the remembered one while it still exists, otherwise the
// folder panel asks (again) and the answer is remembered. Main thread only (the panel is modal).

namespace foundation {
class UserDefaults;
}

namespace setup {

// False when the user cancelled the panel or chose no usable folder: then no job starts.
bool ensureOutputFolder(foundation::UserDefaults& settings);

}  // namespace setup
