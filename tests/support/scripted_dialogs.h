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
    enum class Kind { Message, Text };
    struct Call {
        Kind kind;
        std::string caption;  // message box caption, or the input dialog's title
        std::string text;     // message box text, or the input dialog's initial text
        MessageButtons buttons;
        HWND owner;
        bool followActiveDuringCall;  // the docking flag while the dialog was up
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void AnswerOk() { answers_.push_back({DialogAnswer::Ok, std::string()}); }
    void AnswerCancel() { answers_.push_back({DialogAnswer::Cancel, std::string()}); }
    void AnswerText(const std::string& text) { answers_.push_back({DialogAnswer::Ok, text}); }

    const std::vector<Call>& calls() const { return calls_; }
    // The texts of the message boxes shown, in order.
    std::vector<std::string> MessageTexts() const;
    size_t UnusedAnswers() const { return answers_.size(); }

    DialogAnswer ShowMessage(const MessageBoxArgs& args) override;
    bool AskText(const AskTextArgs& args, std::string* entered) override;

private:
    struct Answer {
        DialogAnswer answer;
        std::string text;
    };
    Answer NextAnswer(const std::string& what);

    DialogSeam* previous_;
    std::deque<Answer> answers_;
    std::vector<Call> calls_;
};
