#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "ui/dialogs.h"

// The test double of the dialog seam. While it lives it replaces the real dialogs: every message box,
// text input and file dialog is recorded, and answered from a script queued beforehand; every shell open is
// recorded and nothing is opened. A dialog with no answer left fails the test and is answered with
// Cancel. Safe to use from the update-check threads: every member takes the lock.
class ScriptedDialogs : public DialogSeam {
public:
    enum class Kind { Message, Text, OpenFile };
    struct Call {
        Kind kind;
        std::string caption;  // message box caption, or the input or file dialog's title
        std::string text;     // message box text, the input dialog's initial text, the file dialog's folder
        MessageButtons buttons;
        HWND owner;
        bool followActiveDuringCall;  // the docking flag while the dialog was up
        OPENFILENAMEA request = {};   // the file dialog's request as it was handed over
        std::string filter;           // its filter with the zero bytes, up to the double zero
    };
    struct Opened {
        std::string target;
        bool followActiveDuringCall;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void AnswerOk() { Queue({DialogAnswer::Ok, std::string(), std::string()}); }
    void AnswerCancel() { Queue({DialogAnswer::Cancel, std::string(), std::string()}); }
    void AnswerText(const std::string& text) { Queue({DialogAnswer::Ok, text, std::string()}); }
    // The file dialog returns `path`; with `browseTo` the user first browsed there, which changes the
    // process's working directory as the real dialog does.
    void AnswerFile(const std::string& path, const std::string& browseTo = std::string()) {
        Queue({DialogAnswer::Ok, path, browseTo});
    }

    // Copies, so that a test can read them while a worker thread may still add to them.
    std::vector<Call> calls() const;
    std::vector<Opened> opened() const;
    // The texts of the message boxes shown, in order.
    std::vector<std::string> MessageTexts() const;
    // The targets handed to the shell, in order.
    std::vector<std::string> OpenedTargets() const;
    size_t UnusedAnswers() const;

    DialogAnswer ShowMessage(const MessageBoxArgs& args) override;
    bool AskText(const AskTextArgs& args, std::string* entered) override;
    bool RunOpenFileDialog(OPENFILENAMEA* request) override;
    bool OpenInShell(const std::string& target) override;

private:
    struct Answer {
        DialogAnswer answer;
        std::string text;
        std::string browseTo;
    };
    void Queue(const Answer& answer);
    Answer NextAnswer(const std::string& what);  // called with the lock held

    DialogSeam* previous_;
    mutable std::mutex lock_;
    std::deque<Answer> answers_;
    std::vector<Call> calls_;
    std::vector<Opened> opened_;
};
