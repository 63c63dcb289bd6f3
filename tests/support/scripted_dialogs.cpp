#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include "state/app_state.h"

ScriptedDialogs::ScriptedDialogs() : previous_(SetDialogSeam(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
    SetDialogSeam(previous_);
}

std::vector<ScriptedDialogs::Call> ScriptedDialogs::calls() const {
    std::lock_guard<std::mutex> hold(lock_);
    return calls_;
}

std::vector<ScriptedDialogs::Opened> ScriptedDialogs::opened() const {
    std::lock_guard<std::mutex> hold(lock_);
    return opened_;
}

std::vector<std::string> ScriptedDialogs::MessageTexts() const {
    std::vector<std::string> texts;
    for (const Call& call : calls()) {
        if (call.kind == Kind::Message) texts.push_back(call.text);
    }
    return texts;
}

std::vector<std::string> ScriptedDialogs::OpenedTargets() const {
    std::vector<std::string> targets;
    for (const Opened& open : opened())
        targets.push_back(open.target);
    return targets;
}

size_t ScriptedDialogs::UnusedAnswers() const {
    std::lock_guard<std::mutex> hold(lock_);
    return answers_.size();
}

void ScriptedDialogs::Queue(const Answer& answer) {
    std::lock_guard<std::mutex> hold(lock_);
    answers_.push_back(answer);
}

ScriptedDialogs::Answer ScriptedDialogs::NextAnswer(const std::string& what) {
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << what;
        return {DialogAnswer::Cancel, std::string(), std::string()};
    }
    Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

DialogAnswer ScriptedDialogs::ShowMessage(const MessageBoxArgs& args) {
    std::lock_guard<std::mutex> hold(lock_);
    calls_.push_back(
        {Kind::Message, args.caption, args.text, args.buttons, nullptr, static_cast<bool>(followActive), {}, {}});
    return NextAnswer("message box " + args.text).answer;
}

bool ScriptedDialogs::AskText(const AskTextArgs& args, std::string* entered) {
    std::lock_guard<std::mutex> hold(lock_);
    calls_.push_back({Kind::Text,
                      args.title,
                      args.initialText,
                      MessageButtons::OkCancel,
                      args.owner,
                      static_cast<bool>(followActive),
                      {},
                      {}});
    const Answer answer = NextAnswer("text input " + args.title);
    if (answer.answer != DialogAnswer::Ok) {
        return false;
    }
    *entered = answer.text;
    return true;
}

bool ScriptedDialogs::RunOpenFileDialog(OPENFILENAMEA* request) {
    std::string filter;
    for (const char* p = request->lpstrFilter; p != nullptr && (p[0] != '\0' || p[1] != '\0'); ++p) {
        filter += *p;
    }
    Answer answer;
    {
        std::lock_guard<std::mutex> hold(lock_);
        calls_.push_back({Kind::OpenFile, request->lpstrTitle ? request->lpstrTitle : "",
                          request->lpstrInitialDir ? request->lpstrInitialDir : "", MessageButtons::OkCancel,
                          request->hwndOwner, static_cast<bool>(followActive), *request, filter});
        answer = NextAnswer("file dialog");
    }
    if (!answer.browseTo.empty()) {
        SetCurrentDirectoryA(answer.browseTo.c_str());
    }
    if (answer.answer != DialogAnswer::Ok || answer.text.size() >= request->nMaxFile) {
        return false;
    }
    answer.text.copy(request->lpstrFile, answer.text.size());
    request->lpstrFile[answer.text.size()] = '\0';
    return true;
}

bool ScriptedDialogs::OpenInShell(const std::string& target) {
    std::lock_guard<std::mutex> hold(lock_);
    opened_.push_back({target, static_cast<bool>(followActive)});
    return true;
}
