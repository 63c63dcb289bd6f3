#include "ui/message_menu.h"

#include <windows.h>

#include "ui/main_form.h"

void ShowMessageMenu() {
    POINT pointer = {};
    GetCursorPos(&pointer);
    TrackPopupMenu(mainForm.操作, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pointer.x + 3, pointer.y + 3, 0,
                   mainForm.window, nullptr);
}
