#include "ui/dialogs.h"

#include <shellapi.h>

#include <atomic>

#include "ui/text_input_dialog.h"

const char kMessageBoxCaption[] = "信息：";

namespace {

class RealDialogs : public DialogSeam {
public:
    DialogAnswer ShowMessage(const MessageBoxArgs& args) override {
        const UINT buttons = args.buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK;
        const int pressed = MessageBoxA(nullptr, args.text.c_str(), args.caption.c_str(), buttons | MB_TASKMODAL);
        return pressed == IDOK ? DialogAnswer::Ok : DialogAnswer::Cancel;
    }

    bool AskText(const AskTextArgs& args, std::string* entered) override { return RunTextInputDialog(args, entered); }

    bool RunOpenFileDialog(OPENFILENAMEA* request) override { return GetOpenFileNameA(request) != FALSE; }
    bool OpenInShell(const std::string& target) override {
        const HINSTANCE result = ShellExecuteA(nullptr, "open", target.c_str(), "", "", SW_SHOWNORMAL);
        return reinterpret_cast<INT_PTR>(result) > 32;
    }
};

RealDialogs realDialogs;
std::atomic<DialogSeam*> installedSeam{nullptr};  // read by the update-check threads too

}  // namespace

DialogSeam& Dialogs() {
    DialogSeam* seam = installedSeam.load();
    return seam != nullptr ? *seam : realDialogs;
}

DialogSeam* SetDialogSeam(DialogSeam* seam) {
    return installedSeam.exchange(seam);
}

void ShowInfo(const std::string& text) {
    Dialogs().ShowMessage({kMessageBoxCaption, text, MessageButtons::Ok});
}

bool AskOkCancel(const std::string& text) {
    return Dialogs().ShowMessage({kMessageBoxCaption, text, MessageButtons::OkCancel}) == DialogAnswer::Ok;
}
