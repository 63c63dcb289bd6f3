#include "tests/ui/form_fixture.h"

#include <commctrl.h>

#include "state/app_state.h"
#include "app/startup.h"
#include "base/text_codec.h"
#include "store/store_schema.h"
#include "ui/main_form.h"
#include "ui/main_window.h"
#include "ui/tab_strip.h"
#include "ui/window_layer.h"

void FormTest::TearDown() {
    if (window_ != nullptr && IsWindow(window_)) {
        DestroyWindow(window_);
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    CleanupAtExit();
    EXPECT_EQ(0u, dialogs_.UnusedAnswers()) << "a scripted answer was never asked for";
}

namespace {

// Seeded rows go in through the program's own conversion; what the program writes is checked against
// literal UTF-8 bytes elsewhere, so a fault in that conversion still shows.
std::string SqlLiteral(const std::string& gbk) {
    std::string quoted = "'";
    for (char c : AnsiToUtf8(gbk)) {
        quoted += c;
        if (c == '\'') quoted += c;
    }
    return quoted + "'";
}

}  // namespace

void FormTest::Seed(const std::vector<std::pair<int, std::string>>& categories,
                    const std::vector<std::pair<int, std::string>>& messages) {
    EnsureSchema();
    for (const auto& category : categories) {
        RawExecute(Db(), "INSERT INTO type (ID, name) VALUES (" + std::to_string(category.first) + ", " +
                             SqlLiteral(category.second) + ")");
    }
    for (const auto& message : messages) {
        RawExecute(Db(), "INSERT INTO msg (msg, count, typeid) VALUES (" + SqlLiteral(message.second) + ", 0, " +
                             std::to_string(message.first) + ")");
    }
}

HWND FormTest::Start() {
    InitGlobals();
    window_ = CreateMainWindow(GetModuleHandleA(nullptr), OnWindowCreated);
    EXPECT_NE(nullptr, window_);
    return window_;
}

std::vector<std::string> FormTest::Tabs() const {
    TabStrip tabs;
    tabs.Attach(mainForm.选择夹_分类);
    std::vector<std::string> captions;
    for (int i = 0; i < tabs.ItemCount(); ++i)
        captions.push_back(tabs.ItemText(i));
    return captions;
}

FormTest::Rows FormTest::ListRows() const {
    Rows rows;
    HWND list = mainForm.超级列表框_消息列表;
    for (int i = 0; i < ListRowCount(list); ++i)
        rows.push_back({ListCell(list, i, 0), ListCell(list, i, 1)});
    return rows;
}

void FormTest::SelectRow(int row) const {
    ListSelect(mainForm.超级列表框_消息列表, row);
}

void FormTest::PickTab(int index) const {
    SendMessageA(mainForm.选择夹_分类, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
}

void FormTest::Click(HWND button) const {
    SendMessageA(button, BM_CLICK, 0, 0);
}

void FormTest::Choose(WORD menuItem) const {
    SendMessageA(mainForm.window, WM_COMMAND, MAKEWPARAM(menuItem, 0), 0);
}

std::vector<std::string> FormTest::StoredTexts(int categoryId) const {
    std::vector<std::string> texts;
    for (const auto& row : Stored("SELECT msg FROM msg WHERE typeid=" + std::to_string(categoryId) + " ORDER BY ID")) {
        texts.push_back(Utf8ToAnsi(row[0]));
    }
    return texts;
}

void FormTest::ExpectDockingPausedForDialogs() const {
    for (const ScriptedDialogs::Call& call : dialogs_.calls()) {
        EXPECT_FALSE(call.followActiveDuringCall) << "docking not paused while showing: " << call.text;
    }
    EXPECT_TRUE(followActive) << "docking must follow again after the handler";
}

FormTest::Rows Numbered(const std::vector<std::string>& texts) {
    FormTest::Rows rows;
    for (size_t i = 0; i < texts.size(); ++i)
        rows.push_back({std::to_string(i + 1), texts[i]});
    return rows;
}
