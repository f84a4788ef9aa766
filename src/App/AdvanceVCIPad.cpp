#include "App/AdvanceVCIPad.h"

#include "App/AppDelegate.h"

void AdvanceVCIPad::viewDidLoad() {
    if (AppDelegate* delegate = appDelegate()) delegate->advanceVCIPad = this;
    if (cnstActivityWidth) cnstActivityWidth->setConstant(0.0);
}
