#pragma once

// Pops up the "操作" menu 3 pixels right of and below the mouse pointer. The menu does not look at
// the selection; each item's operation handles a missing one.
void ShowMessageMenu();
