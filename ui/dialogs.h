#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

// Every message box and text input of the program, and every page it opens in the browser, goes
// through the dialog seam, so that tests can replace the real ones with a script that records what was
// asked and gives the answers. The update check uses the seam from its own threads.

enum class MessageButtons { Ok, OkCancel };
enum class DialogAnswer { Ok, Cancel };

struct MessageBoxArgs {
    std::string caption;
    std::string text;
    MessageButtons buttons = MessageButtons::Ok;
};

struct AskTextArgs {
    HWND owner = nullptr;
    std::string title;
    std::string initialText;
};

class DialogSeam {
public:
    virtual ~DialogSeam() = default;
    virtual DialogAnswer ShowMessage(const MessageBoxArgs& args) = 0;
    // True with the entered text on OK; false on Cancel.
    virtual bool AskText(const AskTextArgs& args, std::string* entered) = 0;
    // The system's open-file dialog on a filled-in request; true when the user chose a file, whose
    // path is then in request->lpstrFile.
    virtual bool RunOpenFileDialog(OPENFILENAMEA* request) = 0;
    // Hands `target` (an address) to the shell's "open": the default browser shows it. True when the
    // shell accepted it.
    virtual bool OpenInShell(const std::string& target) = 0;
};

// The seam in force: the real dialogs unless a test installed its own.
DialogSeam& Dialogs();
// Installs `seam` (nullptr restores the real dialogs) and returns the one it replaces.
DialogSeam* SetDialogSeam(DialogSeam* seam);

// The caption of every message box of the program.
extern const char kMessageBoxCaption[];

// A message box with the single button OK (task-modal, no owner, no icon).
void ShowInfo(const std::string& text);
// A message box with OK and Cancel; true for OK.
bool AskOkCancel(const std::string& text);
