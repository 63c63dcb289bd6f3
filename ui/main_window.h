#pragma once

#include <windows.h>

// The form's own caption; start-up appends a space and the version.
extern const char kMainWindowCaption[];

// Called once from the window's creation, when the window and all its controls exist.
using WindowCreatedHandler = void (*)(HWND window);

// Creates and shows the main window with its controls (mainForm), centred on the screen. Null when
// the window cannot be created.
HWND CreateMainWindow(HINSTANCE instance, WindowCreatedHandler onCreated);

// Keyboard handling of the main window that the event loop must give a message first: Tab moves
// between the controls, Esc closes the window. True when the message was handled.
bool PreTranslateMainWindowMessage(MSG* message);
