#pragma once

#include <windows.h>

#include <string>

// The form's own caption; start-up appends a space and the version.
extern const char kMainWindowCaption[];

// Called once from the window's creation, when the window and all its controls exist.
using WindowCreatedHandler = void (*)(HWND window);

// Creates and shows the main window, centred on the screen. Null when the window cannot be created.
HWND CreateMainWindow(HINSTANCE instance, WindowCreatedHandler onCreated);

std::string MainWindowCaption(HWND window);
void SetMainWindowCaption(HWND window, const std::string& caption);
