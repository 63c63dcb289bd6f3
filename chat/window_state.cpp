#include "chat/window_state.h"

#include "chat/window_answer.h"

bool MinimiseWindow(HWND window) {
    ShowWindowAsync(window, SW_MINIMIZE);
    return AnswersWithin(window, kCatchUpMs);
}

bool RestoreWindow(HWND window) {
    if (IsIconic(window)) {
        ShowWindowAsync(window, SW_SHOWNORMAL);
    }
    return AnswersWithin(window, kCatchUpMs);
}
