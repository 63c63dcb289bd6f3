#pragma once

#include <windows.h>

// Class name of the input box inside an AliWangWang frame.
extern const char kInputBoxClassName[];

// Searches the window tree below `window` depth first for a child of class "RichEditComponent" and
// stores it in `inputBoxWindow`. Within one parent the first such child ends the search of that
// parent; a deeper find does not stop the later siblings from being searched, so of several input
// boxes the one met last in this order is kept. `inputBoxWindow` is left as it was when none exists.
void FindInputBox(HWND window);
