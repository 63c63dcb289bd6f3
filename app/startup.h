#pragma once

#include <windows.h>

// The program's life: set up the process-wide state, show the window, run its event loop, clean up.
int StartUp(HINSTANCE instance);

// Empty target list and the three table accessors, each opening its own connection to chat.db.
void InitGlobals();

// Runs once when the main window and its controls exist, before any user input is handled.
void OnWindowCreated(HWND window);

// Releases the process-wide state in a fixed order, closing the store connections. Safe to run twice.
void CleanupAtExit();
