#include "Screens/Activity/ActivityHooks.h"

ActivityHooks& ActivityHooks::shared() {
    static ActivityHooks hooks;
    return hooks;
}
