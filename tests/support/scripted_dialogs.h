#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ui/dialogs.h"

// The test double of the dialog seam. While it lives it replaces the real dialogs: every message box
// and text input is recorded, and answered from a script queued beforehand. A dialog with no answer
// left fails the test and is answered with Cancel.
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
        OPENFILENAMEA request;        // the file dialog's request as it was handed over
        std::string filter;           // its filter with the zero bytes, up to the double zero
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void AnswerOk() { answers_.push_back({DialogAnswer::Ok, std::string(), std::string()}); }
    void AnswerCancel() { answers_.push_back({DialogAnswer::Cancel, std::string(), std::string()}); }
    void AnswerText(const std::string& text) { answers_.push_back({DialogAnswer::Ok, text, std::string()}); }
    // The file dialog returns `path`; with `browseTo` the user first browsed there, which changes the
    // process's working directory as the real dialog does.
    void AnswerFile(const std::string& path, const std::string& browseTo = std::string()) {
        answers_.push_back({DialogAnswer::Ok, path, browseTo});
    }

    const std::vector<Call>& calls() const { return calls_; }
    // The texts of the message boxes shown, in order.
    std::vector<std::string> MessageTexts() const;
    size_t UnusedAnswers() const { return answers_.size(); }

    DialogAnswer ShowMessage(const MessageBoxArgs& args) override;
    bool AskText(const AskTextArgs& args, std::string* entered) override;
    bool RunOpenFileDialog(OPENFILENAMEA* request) override;

private:
    struct Answer {
        DialogAnswer answer;
        std::string text;
        std::string browseTo;
    };
    Answer NextAnswer(const std::string& what);

    DialogSeam* previous_;
    std::deque<Answer> answers_;
    std::vector<Call> calls_;
};
