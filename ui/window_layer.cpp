#include "ui/window_layer.h"

#include <commctrl.h>

#include <vector>

int ListSelection(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListSelect(HWND list, int row) {
    LVITEMA clear = {};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    if (row < 0) {
        return;
    }
    LVITEMA select = {};
    select.state = LVIS_SELECTED | LVIS_FOCUSED;
    select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&select));
}

int ListRowCount(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int ListAppendRow(HWND list, const std::string& firstCell) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = ListRowCount(list);
    item.pszText = const_cast<char*>(firstCell.c_str());
    return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListSetCell(HWND list, int row, int column, const std::string& text) {
    if (row < 0) {
        return false;
    }
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    return SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string ListCell(HWND list, int row, int column) {
    if (row < 0 || row >= ListRowCount(list)) {
        return std::string();
    }
    // The control copies at most the buffer's size less one; grow until the text fits with room left.
    std::vector<char> buffer(512);
    for (;;) {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const LRESULT copied =
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        if (copied < 0) {
            return std::string();
        }
        if (static_cast<size_t>(copied) + 2 < buffer.size()) {
            return std::string(buffer.data(), static_cast<size_t>(copied));
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

void ListClear(HWND list) {
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
}

bool IsChecked(HWND checkBox) {
    return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND checkBox, bool checked) {
    SendMessageA(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int TabSelection(HWND tabs) {
    return static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
}

std::string WindowCaption(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) {
        return std::string();
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int copied = GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void SetWindowCaption(HWND window, const std::string& caption) {
    SetWindowTextA(window, caption.c_str());
}

bool IsShown(HWND window) {
    return IsWindowVisible(window) != FALSE;
}

void SetShown(HWND window, bool shown) {
    if (IsShown(window) == shown) {
        return;  // the docking step asks four times a second; a repeated show would still reposition
    }
    ShowWindow(window, shown ? SW_SHOWNA : SW_HIDE);
}

void MoveWindowTo(HWND window, int left, int top) {
    int currentLeft = 0;
    int currentTop = 0;
    if (WindowPosition(window, &currentLeft, &currentTop) && currentLeft == left && currentTop == top) {
        return;  // already there: spares the move notifications on every docking step
    }
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool WindowPosition(HWND window, int* left, int* top) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) {
        return false;
    }
    *left = rect.left;
    *top = rect.top;
    return true;
}

void ShowNormalIfVisible(HWND window) {
    if (IsShown(window)) {
        ShowWindow(window, SW_SHOWNORMAL);
    }
}

void SetAlwaysOnTop(HWND window, bool onTop) {
    SetWindowPos(window, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TabAppend(HWND tabs, const std::string& caption) {
    const LRESULT count = SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(caption.c_str());
    return SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&tab)) != -1;
}
