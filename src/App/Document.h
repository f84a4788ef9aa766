#pragma once
// Document: the files opened with the application from a file manager (the arguments of `vorta`,
// or handed over by a second start). The window switches to the Advanced tab, the files are gathered
// until 1.0 s passes without a new one, and then all of them are added at once, in arrival order,
// through the Advanced tab's own entry for images. While the welcome pages of a first run show, the
// files wait and follow once the tabs are there. A running job is never stopped unasked: leaving its
// tab, or adding to the list it works on, asks first, and that question names the files; keeping the
// job lets them go, stopping it lets them in. Files opened while another question or any other modal
// is up (the quit question, a folder chooser) wait for it and are then handled as if just opened.
// Files none of which is an image or a folder never switch tabs nor ask about a job. Each opening a later
// start handed over is followed until its files are in the list or let go, or that start goes. Main thread
// only; the gathered list is touched nowhere else.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "App/HandOverFate.h"

class VortaWindowController;

namespace Document {

// The main window's controller, whose tab segment the opened files switch to the Advanced tab.
void attachWindowController(VortaWindowController* controller);

// One opened file or folder (an absolute path).
void openURL(const std::string& path);
// Files and folders opened together (absolute paths), counted for a question at once.
void openURLs(const std::vector<std::string>& paths);
// Files and folders a later start handed over, opened as openURLs does and followed for that start:
// returns the opening's ticket, by which fateOf tells what became of them.
std::uint64_t openHandedOver(const std::vector<std::string>& paths);
// The start that waited on `ticket` went: its opening is followed no longer (its files go on).
void forget(std::uint64_t ticket);
// The burst captured when its last file arrived: handed over when no file came since.
void flushPendingURLs(const std::vector<std::string>& captured);
// Hands the files to the Advanced tab's entry for images; dropped when that tab is not there.
void addPendingURLsToPhotoList(const std::vector<std::string>& urls);
// The tab switcher has loaded: files that waited for it are handed over now.
void tabSwitcherDidLoad();
// The files gathered and not yet handed over.
const std::vector<std::string>& pendingURLs();
// What became of the files of the opening with `ticket`: nothing while they are gathered or on their
// way into the list. Told once: the opening is forgotten then.
std::optional<HandOverFate> fateOf(std::uint64_t ticket);

}  // namespace Document
