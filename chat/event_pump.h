#pragma once

#include <windows.h>

// The program's own look at a message before it is translated and dispatched (the keyboard handling
// of the main window, for example); true when it handled the message, which then goes no further.
using EventPreTranslator = bool (*)(MSG* message);

// Installs the pre-translation that PumpEvents gives every message first, the same one the event
// loop uses; null (the start value) for none.
void SetEventPreTranslator(EventPreTranslator preTranslator);

// Handles every message waiting for the calling (user-interface) thread the way the program's event
// loop does, then returns. A WM_QUIT is left in the queue for the event loop to find, and so are the
// messages behind it.
void PumpEvents();
