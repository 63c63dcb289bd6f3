#pragma once

#include <windows.h>

// Calls into another program's window thread that give up after a bound instead of waiting for as
// long as that program does not answer (a hung chat client must never freeze the tool).

// How long the tool waits at most for another program's window to catch up with a placement,
// minimise, restore or activation. A responsive client answers within a few milliseconds.
constexpr UINT kCatchUpMs = 500;

// Sends `message` and waits for the answer at most `timeoutMs` (not at all for a window that the
// system already reports hung). False when the message could not be sent or was not answered in time;
// the window may still handle it later.
bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs);

// Whether the window's thread has handled everything sent to it so far, and answers, within
// `timeoutMs`.
bool AnswersWithin(HWND window, UINT timeoutMs);
