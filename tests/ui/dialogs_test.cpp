// The real dialogs behind the seam, driven from a helper thread the way a user would answer them.
#include "ui/dialogs.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_dialogs.h"
#include "tests/support/window_watch.h"
#include "ui/text_input_dialog.h"

namespace {

const std::string kInfoCaption = "\xD0\xC5\xCF\xA2\xA3\xBA";  // "信息：" in GBK

struct SeenDialog {
    std::vector<ChildWindowInfo> children;
    LONG_PTR exStyle = 0;
    HWND owner = nullptr;
};

// Records what the dialog shows, then presses the button with the given command id.
std::function<void(HWND)> RecordAndPress(SeenDialog* seen, WORD command) {
    return [seen, command](HWND dialog) {
        seen->children = ListDescendants(dialog);
        seen->exStyle = GetWindowLongPtrA(dialog, GWL_EXSTYLE);
        seen->owner = GetWindow(dialog, GW_OWNER);
        PostMessageA(dialog, WM_COMMAND, command, 0);
    };
}

std::vector<std::string> TextsOfClass(const SeenDialog& seen, const char* className) {
    std::vector<std::string> texts;
    for (const ChildWindowInfo& child : seen.children) {
        if (_stricmp(child.className.c_str(), className) == 0 && !child.text.empty()) texts.push_back(child.text);
    }
    return texts;
}

bool HasIcon(const SeenDialog& seen) {
    for (const ChildWindowInfo& child : seen.children) {
        if ((GetWindowLongPtrA(child.window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return true;
    }
    return false;
}

TEST(RealMessageBox, InfoHasTheSystemsCaptionTextAndOnlyOk) {
    SeenDialog seen;
    WindowWatch watch(kInfoCaption, [&seen](HWND dialog) {
        seen.children = ListDescendants(dialog);
        seen.owner = GetWindow(dialog, GW_OWNER);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ShowInfo("获取全部数据失败");
    ASSERT_TRUE(watch.Wait()) << "no message box captioned 信息：";
    EXPECT_EQ(std::vector<std::string>{"确定"}, TextsOfClass(seen, "Button"));
    const std::vector<std::string> statics = TextsOfClass(seen, "Static");
    EXPECT_EQ(std::vector<std::string>{"获取全部数据失败"}, statics);
    EXPECT_FALSE(HasIcon(seen));
    EXPECT_EQ(nullptr, seen.owner);
}

TEST(RealMessageBox, OkCancelReportsTheButtonPressed) {
    for (WORD button : {static_cast<WORD>(IDOK), static_cast<WORD>(IDCANCEL)}) {
        SeenDialog seen;
        WindowWatch watch(kInfoCaption, RecordAndPress(&seen, button));
        const bool ok = AskOkCancel("确认删除该子夹,并删除该子夹消息列表");
        ASSERT_TRUE(watch.Wait());
        EXPECT_EQ(button == IDOK, ok);
        EXPECT_EQ((std::vector<std::string>{"确定", "取消"}), TextsOfClass(seen, "Button"));
    }
}

struct TextDialogRun {
    bool result;
    std::string entered;
    SeenDialog seen;
    LONG_PTR editStyle;
};

// Opens the real input dialog; the helper optionally replaces the field's text, then presses `button`.
TextDialogRun RunTextDialog(const std::string& title,
                            const std::string& initial,
                            const char* replacement,
                            WORD button) {
    TextDialogRun run{false, "unchanged", {}, 0};
    WindowWatch watch(title, [&run, replacement, button](HWND dialog) {
        run.seen.children = ListDescendants(dialog);
        for (const ChildWindowInfo& child : run.seen.children) {
            if (_stricmp(child.className.c_str(), "Edit") == 0) {
                run.editStyle = GetWindowLongPtrA(child.window, GWL_STYLE);
                if (replacement != nullptr)
                    SendMessageA(child.window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(replacement));
            }
        }
        PostMessageA(dialog, WM_COMMAND, button, 0);
    });
    run.result = RunTextInputDialog(AskTextArgs{nullptr, title, initial}, &run.entered);
    EXPECT_TRUE(watch.Wait()) << "no dialog titled " << title;
    return run;
}

TEST(RealTextInputDialog, ShowsTitleFieldAndButtonsAndReturnsTheText) {
    const TextDialogRun run = RunTextDialog("请输入分类名称,不可重复", "旧名字", "新名字", IDOK);
    EXPECT_TRUE(run.result);
    EXPECT_EQ("新名字", run.entered);
    EXPECT_EQ((std::vector<std::string>{"确认输入(&O)", "取消(&C)"}), TextsOfClass(run.seen, "Button"));
    EXPECT_EQ(std::vector<std::string>{"旧名字"}, TextsOfClass(run.seen, "Edit")) << "field starts with the given text";
    EXPECT_TRUE(TextsOfClass(run.seen, "Static").empty()) << "no prompt line";
}

TEST(RealTextInputDialog, CancelReturnsNothing) {
    const TextDialogRun run = RunTextDialog("修改内容", "keep", "typed", IDCANCEL);
    EXPECT_FALSE(run.result);
    EXPECT_EQ("unchanged", run.entered);
}

TEST(RealTextInputDialog, TextWithLineBreaksSurvivesUnchanged) {
    const std::string text = "第一行\r\n第二行\r\n\r\nlast";
    const TextDialogRun run = RunTextDialog("修改内容", text, nullptr, IDOK);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(text, run.entered);
    EXPECT_TRUE(run.editStyle & ES_MULTILINE);

    const TextDialogRun single = RunTextDialog("修改内容", "one line", nullptr, IDOK);
    EXPECT_EQ("one line", single.entered);
    EXPECT_FALSE(single.editStyle & ES_MULTILINE) << "Enter presses OK in a one-line field";
}

TEST(DialogSeam, ScriptedDialogsReplaceAndRestoreTheRealOnes) {
    DialogSeam* real = &Dialogs();
    {
        ScriptedDialogs scripted;
        EXPECT_EQ(&scripted, &Dialogs());
        scripted.AnswerCancel();
        scripted.AnswerText("abc");
        EXPECT_FALSE(AskOkCancel("q"));
        std::string entered;
        EXPECT_TRUE(Dialogs().AskText(AskTextArgs{nullptr, "t", "init"}, &entered));
        EXPECT_EQ("abc", entered);
        ASSERT_EQ(2u, scripted.calls().size());
        EXPECT_EQ(kInfoCaption, scripted.calls()[0].caption);
        EXPECT_EQ(MessageButtons::OkCancel, scripted.calls()[0].buttons);
        EXPECT_EQ("init", scripted.calls()[1].text);
    }
    EXPECT_EQ(real, &Dialogs());
}

}  // namespace
