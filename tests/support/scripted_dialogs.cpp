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
        return {DialogAnswer::Cancel, std::string()};
    }
    Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

DialogAnswer ScriptedDialogs::ShowMessage(const MessageBoxArgs& args) {
    calls_.push_back({Kind::Message, args.caption, args.text, args.buttons, nullptr, followActive.load()});
    return NextAnswer("message box " + args.text).answer;
}

bool ScriptedDialogs::AskText(const AskTextArgs& args, std::string* entered) {
    calls_.push_back({Kind::Text, args.title, args.initialText, MessageButtons::OkCancel, args.owner,
                      followActive.load()});
    const Answer answer = NextAnswer("text input " + args.title);
    if (answer.answer != DialogAnswer::Ok) {
        return false;
    }
    *entered = answer.text;
    return true;
}
