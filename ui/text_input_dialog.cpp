#include "ui/text_input_dialog.h"

#include <windows.h>

#include <vector>

#include "base/text_codec.h"

const char kTextInputOkCaption[] = "确认输入(&O)";
const char kTextInputCancelCaption[] = "取消(&C)";

namespace {

const WORD kEditId = 100;

// Builds a DLGTEMPLATE with its items in memory. Every item starts on a DWORD boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, const std::wstring& title) {
        Add<DWORD>(style | DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
        Add<DWORD>(0);  // extended style
        countOffset_ = words_.size();
        Add<WORD>(0);  // item count, filled in as items are added
        Add<short>(0);
        Add<short>(0);
        Add<short>(width);
        Add<short>(height);
        Add<WORD>(0);  // no menu
        Add<WORD>(0);  // default dialog class
        AddText(title);
        Add<WORD>(9);
        AddText(L"MS Shell Dlg");
    }

    void AddItem(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, const std::wstring& text) {
        if (words_.size() % 2 != 0) {
            Add<WORD>(0);
        }
        Add<DWORD>(style | WS_CHILD | WS_VISIBLE);
        Add<DWORD>(0);
        Add<short>(x);
        Add<short>(y);
        Add<short>(cx);
        Add<short>(cy);
        Add<WORD>(id);
        Add<WORD>(0xFFFF);
        Add<WORD>(atom);
        AddText(text);
        Add<WORD>(0);  // no creation data
        ++words_[countOffset_];
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    template <typename T>
    void Add(T value) {
        static_assert(sizeof(T) % sizeof(WORD) == 0, "template fields are whole WORDs");
        const WORD* parts = reinterpret_cast<const WORD*>(&value);
        words_.insert(words_.end(), parts, parts + sizeof(T) / sizeof(WORD));
    }

    void AddText(const std::wstring& text) {
        for (wchar_t c : text) {
            words_.push_back(static_cast<WORD>(c));
        }
        words_.push_back(0);
    }

    std::vector<WORD> words_;  // WORD elements keep the buffer WORD-aligned; DWORD items are padded
    size_t countOffset_ = 0;
};

struct DialogState {
    const AskTextArgs* args;
    std::string entered;
};

std::wstring ReadWindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

INT_PTR HandleTextInputMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const DialogState* state = reinterpret_cast<const DialogState*>(lParam);
            HWND edit = GetDlgItem(dialog, kEditId);
            SetWindowTextW(edit, AnsiToWide(state->args->initialText).c_str());
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SetFocus(edit);
            return FALSE;  // the focus has been set here
        }
        case WM_COMMAND: {
            const WORD id = LOWORD(wParam);
            if (id == IDOK) {
                DialogState* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
                state->entered = WideToAnsi(ReadWindowText(GetDlgItem(dialog, kEditId)));
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (id == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        }
        default:
            break;
    }
    return FALSE;
}

INT_PTR CALLBACK TextInputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleTextInputMessage(dialog, message, wParam, lParam);
    } catch (...) {
        // A text that cannot be taken (too large to copy) is no answer: the dialog ends as cancelled.
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
}

}  // namespace

bool RunTextInputDialog(const AskTextArgs& args, std::string* entered) {
    const bool multiLine = args.initialText.find_first_of("\r\n") != std::string::npos;
    const short width = 260;
    const short fieldHeight = multiLine ? 80 : 14;
    const short buttonTop = static_cast<short>(7 + fieldHeight + 7);
    const short height = static_cast<short>(buttonTop + 14 + 7);

    DialogTemplate dialog(0, width, height, AnsiToWide(args.title));
    DWORD editStyle = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    if (multiLine) {
        editStyle = WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    }
    dialog.AddItem(editStyle, 7, 7, width - 14, fieldHeight, kEditId, 0x0081 /* Edit */, L"");
    dialog.AddItem(BS_DEFPUSHBUTTON | WS_TABSTOP, width - 7 - 2 * 64 - 6, buttonTop, 64, 14, IDOK, 0x0080 /* Button */,
                   AnsiToWide(kTextInputOkCaption));
    dialog.AddItem(BS_PUSHBUTTON | WS_TABSTOP, width - 7 - 64, buttonTop, 64, 14, IDCANCEL, 0x0080 /* Button */,
                   AnsiToWide(kTextInputCancelCaption));

    DialogState state{&args, std::string()};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), args.owner,
                                                   TextInputDialogProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) {
        return false;
    }
    *entered = state.entered;
    return true;
}
