#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tests/chat/client_sim/message_log.h"

// The simulator's window thread: the simulated chat-client windows, which log everything they
// receive, and a message-only control window through which the command thread gets work done here.

// Creates the control window on the calling thread, which becomes the window thread.
bool StartWindowThread(MessageLog* log);

// Runs `work` on the window thread and returns when it has run.
void RunOnWindowThread(const std::function<void()>& work);

// The window thread stops answering for `ms` once `window` has logged the next `message`; window
// thread only.
void ArmHang(HWND window, UINT message, DWORD ms);

// The control window (an owner for the clipboard); window thread only.
HWND ControlWindow();

// Closes the clipboard, held open by the window thread: once `ms` have passed, or at once (true when
// it was open). Window thread only.
void ReleaseClipboardAfter(DWORD ms);
bool ReleaseClipboardNow();

// A simulated window of `className` (registered on first use), tracked by the log from the moment it
// exists. A null parent gives a shown top-level window with a caption; otherwise a shown child that
// comes after its earlier siblings in the order FindWindowEx walks them. Window thread only.
HWND OpenSimWindow(HWND parent,
                   int x,
                   int y,
                   int width,
                   int height,
                   DWORD exStyle,
                   const std::string& className,
                   const std::string& title);
