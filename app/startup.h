#pragma once

#include <windows.h>

// The program's life: set up the process-wide state, show the window, run its event loop, clean up.
int StartUp(HINSTANCE instance);

// Empty target list and the three table accessors, each opening its own connection to chat.db.
void InitGlobals();

// Runs once when the main window and its controls exist, before any user input is handled.
void OnWindowCreated(HWND window);

// Whether the docking step also runs at once, on other programs' window events and on the quick check
// between the timer's ticks (on from start-up), or on the timer's ticks alone. Takes effect at once
// when the window exists. The docking benchmark compares the two.
void FollowAtOnce(bool on);

// Releases the process-wide state in a fixed order, closing the store connections. Safe to run twice.
void CleanupAtExit();
