#pragma once

#include "ui/main_window.h"

// The operations the main window runs for its events: buttons, check boxes and menu items, the tab
// changes and clicks in the two lists, and the docking step on each tick of its timer.
extern const WindowEvents kMainWindowEvents;
