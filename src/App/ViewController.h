#pragma once
// ViewController: a plain screen with nothing of its own; the application delegate keeps a
// reference to one. Main thread only.

#include "Platform/AppKit/ViewController.h"

class ViewController : public appkit::ViewController {
    Q_OBJECT
};
