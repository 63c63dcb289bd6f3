#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include "app/app_state.h"

ScriptedDialogs::ScriptedDialogs() : previous_(SetDialogSeam(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
    SetDialogSeam(previous_);
}

std::vector<std::string> ScriptedDialogs::MessageTexts() const {
    std::vector<std::string> texts;
    for (const Call& call : calls_) {
        if (call.kind == Kind::Message) texts.push_back(call.text);
    }
    return texts;
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
    calls_.push_back({Kind::Message, args.caption, args.text, args.buttons, nullptr, followActive.load(), {}, {}});
    return NextAnswer("message box " + args.text).answer;
}

bool ScriptedDialogs::AskText(const AskTextArgs& args, std::string* entered) {
    calls_.push_back({Kind::Text, args.title, args.initialText, MessageButtons::OkCancel, args.owner,
                      followActive.load(), {}, {}});
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
    calls_.push_back({Kind::OpenFile, request->lpstrTitle ? request->lpstrTitle : "",
                      request->lpstrInitialDir ? request->lpstrInitialDir : "", MessageButtons::OkCancel,
                      request->hwndOwner, followActive.load(), *request, filter});
    const Answer answer = NextAnswer("file dialog");
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
