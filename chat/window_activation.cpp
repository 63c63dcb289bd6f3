#include "chat/window_activation.h"

HWND ActivateWindow(HWND window) {
    const DWORD own = GetCurrentThreadId();
    DWORD processId = 0;
    const DWORD other = GetWindowThreadProcessId(window, &processId);
    AttachThreadInput(other, own, TRUE);
    HWND previous = SetActiveWindow(window);
    AttachThreadInput(other, own, FALSE);
    return previous;
}
