#pragma once

#include <windows.h>

#include <cstddef>

// The form's own caption; start-up appends a space and the version.
extern const char kMainWindowCaption[];

// Called once from the window's creation, when the window and all its controls exist.
using WindowCreatedHandler = void (*)(HWND window);

// WM_COMMAND: a click of a button or check box, or a menu item.
struct CommandRoute {
    WORD id;
    void (*handler)();
};

// WM_NOTIFY: a notification `code` from the control `id`.
struct NotifyRoute {
    UINT_PTR id;
    UINT code;
    void (*handler)();
};

// Which operation runs for which event of the window. The window knows its events only; the
// operations are given to it by start-up.
struct WindowEvents {
    const CommandRoute* commands = nullptr;
    size_t commandCount = 0;
    const NotifyRoute* notifications = nullptr;
    size_t notificationCount = 0;
    void (*onTimer)() = nullptr;  // each tick of the window's periodic timer
};

// The operations of the window's events from now on; `events` must outlive the window.
void SetWindowEvents(const WindowEvents* events);

// Creates and shows the main window with its controls (mainForm), centred on the screen. Null when
// the window cannot be created.
HWND CreateMainWindow(HINSTANCE instance, WindowCreatedHandler onCreated);

// Keyboard handling of the main window that the event loop must give a message first: Tab moves
// between the controls, Esc closes the window, Enter in the message list goes to the list (which
// notifies NM_RETURN), once per press. True when the message was handled.
bool PreTranslateMainWindowMessage(MSG* message);
