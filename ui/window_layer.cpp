#include "ui/window_layer.h"

#include <commctrl.h>

#include <climits>
#include <new>
#include <string_view>
#include <vector>

#include "base/gbk_text.h"

namespace {

// The rows of a list created with LVS_OWNERDATA live in a ListRows tied to the list by a window
// property and freed by a subclass of the list when it goes; the list's questions, sent to its
// parent, are answered by a subclass of the parent.
LRESULT CALLBACK KeptRowsListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data);
LRESULT CALLBACK RowRequestsProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);

const UINT_PTR kKeptRowsId = 1;
const char kKeptRowsProperty[] = "ReplyDockListRows";

ListRows* KeptRows(HWND list) {
    return list != nullptr ? static_cast<ListRows*>(GetPropA(list, kKeptRowsProperty)) : nullptr;
}

// Tells the list how many rows there are now; rows added at the end are drawn, the rest stays.
void ShowRowCount(HWND list, const ListRows& rows) {
    SendMessageA(list, LVM_SETITEMCOUNT, rows.Count(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

// The list asks for its texts in UTF-16 (see KeepListRows): it gets as many whole characters as its
// buffer holds before the zero, as a list holding its own rows copies them. Every character of code
// page 936 is one UTF-16 unit.
void AnswerTextRequest(const ListRows& rows, LVITEMW* item) {
    if ((item->mask & LVIF_TEXT) == 0 || item->pszText == nullptr || item->cchTextMax <= 0 || item->iItem < 0) {
        return;
    }
    ListRows::NumberText number;
    const std::string_view text = rows.CellText(static_cast<size_t>(item->iItem), item->iSubItem, &number);
    const size_t room = static_cast<size_t>(item->cchTextMax) - 1;
    size_t bytes = 0;
    for (size_t characters = 0; bytes < text.size() && characters < room && bytes < INT_MAX / 2; ++characters) {
        bytes += GbkCharLength(text, bytes);
    }
    const int units = bytes == 0 ? 0
                                 : MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(bytes), item->pszText,
                                                       static_cast<int>(room));
    item->pszText[units > 0 ? units : 0] = L'\0';
}

// The same for a request in the ANSI code page, should one come: as many whole characters as fit.
void AnswerTextRequest(const ListRows& rows, LVITEMA* item) {
    if ((item->mask & LVIF_TEXT) == 0 || item->pszText == nullptr || item->cchTextMax <= 0 || item->iItem < 0) {
        return;
    }
    rows.CopyCell(static_cast<size_t>(item->iItem), item->iSubItem, item->pszText,
                  static_cast<size_t>(item->cchTextMax));
}

// The first row, from `start` on (and then from the top, with LVFI_WRAP), whose column 0 starts with
// `wanted` (LVFI_PARTIAL) or is `wanted` (LVFI_STRING), letters of either case alike: the row the list
// selects when the user types `wanted`, as a list holding its own rows finds it. -1 for none.
int FindRow(const ListRows& rows, const LVFINDINFOW& find, int start, const wchar_t* wanted, int wantedLength) {
    const int count = static_cast<int>(rows.Count());
    if ((find.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || wanted == nullptr || wantedLength <= 0) {
        return -1;
    }
    if (start < 0 || start > count) {
        start = 0;
    }
    const bool partial = (find.flags & LVFI_PARTIAL) != 0;
    const int end = (find.flags & LVFI_WRAP) != 0 ? start + count : count;
    for (int i = start; i < end; ++i) {
        const size_t row = static_cast<size_t>(i % count);
        char bytes[MAX_PATH];  // as many characters as the list compares at most
        wchar_t cell[MAX_PATH];
        const size_t length = rows.CopyCell(row, 0, bytes, sizeof bytes);
        const int cellLength =
            length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(length), cell, MAX_PATH);
        if (cellLength < wantedLength || (!partial && cellLength != wantedLength)) {
            continue;
        }
        if (CompareStringOrdinal(cell, wantedLength, wanted, wantedLength, TRUE) == CSTR_EQUAL) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

int FindRow(const ListRows& rows, const NMLVFINDITEMW& request) {
    const wchar_t* wanted = request.lvfi.psz;
    return FindRow(rows, request.lvfi, request.iStart, wanted, wanted != nullptr ? lstrlenW(wanted) : 0);
}

int FindRow(const ListRows& rows, const NMLVFINDITEMA& request) {
    wchar_t wanted[MAX_PATH];
    int length = 0;
    if (request.lvfi.psz != nullptr) {
        length = MultiByteToWideChar(CP_ACP, 0, request.lvfi.psz, -1, wanted, MAX_PATH);
    }
    LVFINDINFOW find = {};
    find.flags = request.lvfi.flags;
    return FindRow(rows, find, request.iStart, wanted, length > 0 ? length - 1 : 0);
}

LRESULT CALLBACK RowRequestsProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        const ListRows& rows = *reinterpret_cast<const ListRows*>(data);
        if (reinterpret_cast<UINT_PTR>(header->hwndFrom) == id) {
            switch (header->code) {
                case LVN_GETDISPINFOA:
                    AnswerTextRequest(rows, &reinterpret_cast<NMLVDISPINFOA*>(lParam)->item);
                    return 0;
                case LVN_GETDISPINFOW:
                    AnswerTextRequest(rows, &reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
                    return 0;
                case LVN_ODFINDITEMA:
                    return FindRow(rows, *reinterpret_cast<const NMLVFINDITEMA*>(lParam));
                case LVN_ODFINDITEMW:
                    return FindRow(rows, *reinterpret_cast<const NMLVFINDITEMW*>(lParam));
                case LVN_ODCACHEHINT:
                    return 0;  // every row is at hand already
                default:
                    break;
            }
        }
    } else if (message == WM_NOTIFYFORMAT && wParam == id && lParam == NF_QUERY) {
        return NFR_UNICODE;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(parent, RowRequestsProc, id);
    }
    return DefSubclassProc(parent, message, wParam, lParam);
}

LRESULT CALLBACK KeptRowsListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (message != WM_NCDESTROY) {
        return DefSubclassProc(list, message, wParam, lParam);
    }
    const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
    RemoveWindowSubclass(list, KeptRowsListProc, kKeptRowsId);
    RemovePropA(list, kKeptRowsProperty);
    HWND parent = GetParent(list);
    if (parent != nullptr) {
        RemoveWindowSubclass(parent, RowRequestsProc, reinterpret_cast<UINT_PTR>(list));
    }
    delete reinterpret_cast<ListRows*>(data);
    return result;
}

}  // namespace

bool KeepListRows(HWND list) {
    HWND parent = GetParent(list);
    if (parent == nullptr || (GetWindowLongPtrA(list, GWL_STYLE) & LVS_OWNERDATA) == 0 || KeptRows(list) != nullptr) {
        return false;
    }
    ListRows* rows = new (std::nothrow) ListRows();
    if (rows == nullptr) {
        return false;
    }
    const DWORD_PTR data = reinterpret_cast<DWORD_PTR>(rows);
    if (!SetWindowSubclass(parent, RowRequestsProc, reinterpret_cast<UINT_PTR>(list), data)) {
        delete rows;
        return false;
    }
    if (!SetWindowSubclass(list, KeptRowsListProc, kKeptRowsId, data)) {
        RemoveWindowSubclass(parent, RowRequestsProc, reinterpret_cast<UINT_PTR>(list));
        delete rows;
        return false;
    }
    if (!SetPropA(list, kKeptRowsProperty, rows)) {
        RemoveWindowSubclass(list, KeptRowsListProc, kKeptRowsId);
        RemoveWindowSubclass(parent, RowRequestsProc, reinterpret_cast<UINT_PTR>(list));
        delete rows;
        return false;
    }
    // The list asks for texts in UTF-16, with buffers counted in characters, as it keeps its own
    // texts: so it shows and hands out as many characters as a list holding its rows, and converts
    // for an ANSI reader exactly as such a list does.
    SendMessageA(list, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(parent), NF_REQUERY);
    return true;
}

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
    if (const ListRows* rows = KeptRows(list)) {
        return static_cast<int>(rows->Count());
    }
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int ListAppendRow(HWND list, const std::string& firstCell) {
    if (ListRows* rows = KeptRows(list)) {
        if (rows->Count() >= INT_MAX || !rows->Append(firstCell, std::string())) {
            return -1;
        }
        ShowRowCount(list, *rows);
        return static_cast<int>(rows->Count() - 1);
    }
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
    if (ListRows* rows = KeptRows(list)) {
        if (!rows->SetCell(static_cast<size_t>(row), column, text)) {
            return false;
        }
        SendMessageA(list, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
        return true;
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
    if (const ListRows* rows = KeptRows(list)) {
        return rows->Cell(static_cast<size_t>(row), column);
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
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);  // the selection and the focus go with the rows
    if (ListRows* rows = KeptRows(list)) {
        rows->Clear();
    }
}

void ListAppendRows(HWND list, ListRows rows) {
    if (ListRows* kept = KeptRows(list)) {
        kept->Splice(std::move(rows));
        ShowRowCount(list, *kept);
        return;
    }
    for (size_t i = 0; i < rows.Count(); ++i) {
        ListSetCell(list, ListAppendRow(list, rows.Cell(i, 0)), 1, rows.Cell(i, 1));
    }
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
