#pragma once

#include <windows.h>

#include "ui/main_form.h"

// Creates every control, the two menus and the timer of the main window, and fills `form` with
// their handles. False when a control could not be created.
bool CreateFormControls(HWND window, MainForm* form);

// The list views' columns: header text and width in pixels.
struct ListColumn {
    const char* header;
    int width;
};
