#include "chat/window_answer.h"

bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

bool AnswersWithin(HWND window, UINT timeoutMs) {
    return SendWithin(window, WM_NULL, 0, 0, timeoutMs);
}
