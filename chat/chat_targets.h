#pragma once

#include <windows.h>

#include <cstdint>

#include "chat/chat_clients.h"

// The chat windows the tool serves (`chatTargets`) and their rows in the process list.

// Empties `chatTargets`, enumerates the top-level windows in z-order (top first) and fills the
// process list again. `currentTarget`, `inputBoxWindow` and `lastPickedRow` keep their values. Runs
// at start-up and on every click on one of the three listen check boxes.
void RebuildTargets();

// EnumWindows callback: appends the window to `chatTargets` when its class, title and the listen
// check box of its client admit it. Always lets the enumeration go on.
BOOL CALLBACK ConsiderWindow(HWND window, LPARAM unused);

// Rewrites the process list: one row per target, in order, with the handle in decimal and the title.
// Handles waiting window messages after each row.
void FillProcessList();

// The 1-based position of the first target whose window is `window`; false when none is.
bool FindTarget(HWND window, int32_t* position);

// The client of the first target whose window is `window`; false when `window` is not tracked.
bool ClientOfTarget(HWND window, ChatClient* client);
