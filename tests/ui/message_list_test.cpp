// The "操作" menu on the message list, each item chosen as the menu chooses it, checked against the
// rows of the list and of chat.db.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "state/app_state.h"
#include "base/handles.h"
#include "base/text_codec.h"
#include "net/update_check.h"
#include "tests/support/local_http_service.h"
#include "tests/support/window_watch.h"
#include "tests/ui/form_fixture.h"
#include "ui/main_form.h"
#include "ui/message_list.h"
#include "ui/window_layer.h"

namespace {

class MessageListTest : public FormTest {
protected:
    // Category 1 holds a, b, c (IDs 1, 2, 3); category 2 holds x.
    void StartWithABC() {
        Seed({{1, "默认"}, {2, "业务"}}, {{1, "a"}, {1, "b"}, {2, "x"}, {1, "c"}});
        Start();
    }
    int Selection() const { return ListSelection(mainForm.超级列表框_消息列表); }
};

// The edit dialog stays up until a version check, started meanwhile, has ended.
class EditDialogOutlastingACheck : public ScriptedDialogs {
public:
    bool checkEnded = false;
    bool AskText(const AskTextArgs& args, std::string* entered) override {
        CheckForUpdate();
        checkEnded = WaitForUpdateChecks(20000);
        return ScriptedDialogs::AskText(args, entered);
    }
};

// Message writes that fail with an exception, as a failed allocation would.
class ThrowingMessages : public MessageTable {
public:
    bool Insert(const MessageRow&) override { throw std::bad_alloc(); }
    bool UpdateText(const MessageRow&) override { throw std::bad_alloc(); }
};

TEST_F(MessageListTest, ListShowsTheCategoryInIdOrderNumberedFromOne) {
    StartWithABC();
    EXPECT_EQ(Numbered({"a", "b", "c"}), ListRows());
}

TEST_F(MessageListTest, DuplicateStoresACopyAtTheEnd) {
    StartWithABC();
    SelectRow(1);
    Choose(kId复制该消息);
    EXPECT_EQ(Numbered({"a", "b", "c", "b"}), ListRows());
    EXPECT_EQ((RawRows{{"5", "b", "0", "1"}}), Stored("SELECT * FROM msg WHERE ID=5"));
    EXPECT_EQ(-1, Selection()) << "a rebuilt list has no selection";

    Choose(kId复制该消息);  // no selection: an empty message
    EXPECT_EQ(Numbered({"a", "b", "c", "b", ""}), ListRows());
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "b", ""}), StoredTexts(1));
    EXPECT_TRUE(followActive);
}

TEST_F(MessageListTest, DeleteRemovesEveryMessageWithTheSelectedText) {
    Seed({{1, "默认"}}, {{1, "a"}, {1, "dup"}, {1, "c"}, {1, "dup"}});
    Start();
    SelectRow(3);
    Choose(kId删除该消息);
    EXPECT_EQ(Numbered({"a", "c"}), ListRows());
    EXPECT_EQ((std::vector<std::string>{"a", "c"}), StoredTexts(1));
    EXPECT_TRUE(dialogs_.calls().empty()) << "no confirmation";

    Choose(kId删除该消息);  // nothing selected: only messages with an empty text would go
    EXPECT_EQ(Numbered({"a", "c"}), ListRows());
    EXPECT_EQ((std::vector<std::string>{"a", "c"}), StoredTexts(1));
    EXPECT_TRUE(followActive);
}

TEST_F(MessageListTest, EditChangesTheSelectedRowsMessage) {
    const struct {
        const char* name;
        int row;
        const char* changeBehind;  // a change of the store the list does not show
        std::vector<std::string> stored;
        Rows listed;
    } cases[] = {
        {"first of two equal texts", 0, "", {"it's new", "b", "same"}, Numbered({"it's new", "b", "same"})},
        {"second of two equal texts", 2, "", {"same", "b", "it's new"}, Numbered({"same", "b", "it's new"})},
        {"row's message gone: the last with its text",
         0,
         "DELETE FROM msg WHERE ID=1",
         {"b", "it's new"},
         Numbered({"it's new", "b", "same"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(Db().c_str());
        Seed({{1, "默认"}}, {{1, "same"}, {1, "b"}, {1, "same"}});
        Start();
        if (*c.changeBehind != '\0') RawExecute(Db(), c.changeBehind);
        SelectRow(c.row);
        const size_t before = dialogs_.calls().size();
        dialogs_.AnswerText("it's new");
        Choose(kId编辑该消息);
        ASSERT_EQ(before + 1, dialogs_.calls().size());
        EXPECT_EQ("修改内容", dialogs_.calls()[before].caption);
        EXPECT_EQ("same", dialogs_.calls()[before].text);
        EXPECT_EQ(c.stored, StoredTexts(1));
        EXPECT_EQ(c.listed, ListRows()) << "only the selected row is patched";
        EXPECT_EQ(c.row, Selection());
        ExpectDockingPausedForDialogs();
        TearDown();
    }
}

TEST_F(MessageListTest, EditCancelledOrUnchangedStoresNothing) {
    StartWithABC();
    SelectRow(1);
    dialogs_.AnswerCancel();
    Choose(kId编辑该消息);
    dialogs_.AnswerText("b");
    Choose(kId编辑该消息);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), StoredTexts(1));
    EXPECT_EQ(Numbered({"a", "b", "c"}), ListRows());
    EXPECT_TRUE(dialogs_.MessageTexts().empty());
    ExpectDockingPausedForDialogs();
}

TEST_F(MessageListTest, EditThatCannotBeStoredSaysSo) {
    StartWithABC();
    SelectRow(2);
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(SQLITE_OK, sqlite3_open(AnsiToUtf8(Db()).c_str(), &raw));
        SqliteDatabase lock(raw);
        ASSERT_EQ(SQLITE_OK, sqlite3_exec(raw, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr));
        dialogs_.AnswerText("changed");
        dialogs_.AnswerOk();
        Choose(kId编辑该消息);
    }
    // A row whose text is not stored at all cannot be edited either.
    ListSetCell(mainForm.超级列表框_消息列表, 0, 1, "not stored");
    SelectRow(0);
    dialogs_.AnswerText("changed");
    dialogs_.AnswerOk();
    Choose(kId编辑该消息);
    EXPECT_EQ((std::vector<std::string>{"修改消息内容失败", "修改消息内容失败"}), dialogs_.MessageTexts());
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), StoredTexts(1));
    EXPECT_EQ(Numbered({"not stored", "b", "c"}), ListRows());
}

TEST_F(MessageListTest, VersionCheckEndingUnderTheEditDialogLeavesDockingPaused) {
    StartWithABC();
    LocalHttpService service;
    service.AnswerBody("{\"status\":2}");
    ServiceHostOverride host(service.host());
    SelectRow(1);
    EditDialogOutlastingACheck dialogs;
    dialogs.AnswerOk();
    dialogs.AnswerText("b2");
    Choose(kId编辑该消息);
    EXPECT_TRUE(dialogs.checkEnded);
    const std::vector<ScriptedDialogs::Call> calls = dialogs.calls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("没有新版本", calls[0].text);
    EXPECT_EQ("修改内容", calls[1].caption);
    EXPECT_FALSE(calls[1].followActiveDuringCall) << "the check's end let docking act under the dialog";
    EXPECT_EQ((std::vector<std::string>{"a", "b2", "c"}), StoredTexts(1));
    EXPECT_TRUE(followActive);
}

// An exception inside a handler stays there: the operation changes nothing and the tool goes on.
TEST_F(MessageListTest, HandlerFailingWithAnExceptionChangesNothing) {
    StartWithABC();
    std::unique_ptr<MessageTable> working = std::move(messageTable);
    messageTable = std::make_unique<ThrowingMessages>();
    SelectRow(1);
    dialogs_.AnswerText("b2");
    Choose(kId编辑该消息);
    Choose(kId复制该消息);
    messageTable = std::move(working);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), StoredTexts(1));
    EXPECT_EQ(Numbered({"a", "b", "c"}), ListRows());
    EXPECT_TRUE(followActive);

    SelectRow(1);
    dialogs_.AnswerText("b2");
    Choose(kId编辑该消息);
    EXPECT_EQ((std::vector<std::string>{"a", "b2", "c"}), StoredTexts(1));
}

// The whole text of a message survives the list and the edit dialog, however long, with its lines.
TEST_F(MessageListTest, LongAndMultiLineTextsSurviveEveryPath) {
    std::string longText;
    while (longText.size() < 5000)
        longText += "回复内容乗\\";
    const std::string lines = "第一行\r\n第二行\r\n\r\n第四行";
    Seed({{1, "默认"}}, {{1, longText}, {1, lines}});
    Start();
    EXPECT_EQ(longText, ListCell(mainForm.超级列表框_消息列表, 0, 1));
    EXPECT_EQ(lines, ListCell(mainForm.超级列表框_消息列表, 1, 1));

    // The real edit dialog, confirmed without a change: nothing stored, no line lost.
    DialogSeam* scripted = SetDialogSeam(nullptr);
    SelectRow(1);
    WindowWatch pressOk("修改内容", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
    Choose(kId编辑该消息);
    ASSERT_TRUE(pressOk.Wait());
    SetDialogSeam(scripted);
    EXPECT_EQ((std::vector<std::string>{longText, lines}), StoredTexts(1));
    EXPECT_EQ(lines, ListCell(mainForm.超级列表框_消息列表, 1, 1));

    SelectRow(0);
    Choose(kId删除该消息);
    EXPECT_EQ(std::vector<std::string>{lines}, StoredTexts(1));
}

// What another program reads from the list (LVM_GETITEMTEXT, ANSI or wide) is what the list shows:
// the row's number and its whole text, or as many characters as a wide reader's buffer holds.
TEST_F(MessageListTest, AnotherProgramReadsTheCellsTheListShows) {
    std::string longText;
    while (longText.size() < 3000)
        longText += "回复内容乗\\";
    Seed({{1, "默认"}}, {{1, "a"}, {1, "你好世界"}, {1, longText}});
    Start();
    HWND list = mainForm.超级列表框_消息列表;
    const struct {
        int row;
        int column;
        std::string cell;
        int wideCapacity;  // of the wide reader's buffer, in characters
        std::string wide;  // what it reads, as GBK
    } cases[] = {
        {0, 0, "1", 260, "1"},         {0, 1, "a", 260, "a"}, {1, 1, "你好世界", 5, "你好世界"},
        {1, 1, "你好世界", 3, "你好"}, {2, 0, "3", 260, "3"}, {2, 1, longText, 4000, longText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << ", column " << c.column << ", " << c.wideCapacity);
        std::vector<char> ansi(8192, '#');
        LVITEMA item = {};
        item.iSubItem = c.column;
        item.pszText = ansi.data();
        item.cchTextMax = static_cast<int>(ansi.size());
        const LRESULT length =
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(c.row), reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(c.cell, std::string(ansi.data()));
        EXPECT_EQ(static_cast<LRESULT>(c.cell.size()), length);

        std::vector<wchar_t> wide(static_cast<size_t>(c.wideCapacity) + 1, L'#');
        LVITEMW wideItem = {};
        wideItem.iSubItem = c.column;
        wideItem.pszText = wide.data();
        wideItem.cchTextMax = c.wideCapacity;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(c.row), reinterpret_cast<LPARAM>(&wideItem));
        EXPECT_EQ(c.wide, WideToAnsi(std::wstring(wide.data())));
        EXPECT_EQ(L'#', wide.back()) << "written past the buffer";
    }
}

// Typing in the list selects the first row whose number starts with what was typed, as in a list
// that holds its own rows.
TEST_F(MessageListTest, TypingSelectsTheRowWhoseNumberStartsWithIt) {
    const struct {
        const char* typed;
        int selected;
    } cases[] = {{"1", 0}, {"12", 11}, {"7", 6}, {"9x", 8}, {"x", -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        DeleteFileA(Db().c_str());
        std::vector<std::pair<int, std::string>> messages;
        for (int i = 1; i <= 12; ++i)
            messages.push_back({1, "m" + std::to_string(i)});
        Seed({{1, "默认"}}, messages);
        Start();
        for (const char* key = c.typed; *key != '\0'; ++key)
            SendMessageA(mainForm.超级列表框_消息列表, WM_CHAR, static_cast<WPARAM>(*key), 1);
        EXPECT_EQ(c.selected, Selection());
        TearDown();
    }
}

TEST_F(MessageListTest, MoveUpExchangesWithTheRowAbove) {
    StartWithABC();
    SelectRow(1);
    Choose(kId上移);
    EXPECT_EQ((RawRows{{"1", "b"}, {"2", "a"}, {"4", "c"}}), Stored("SELECT ID, msg FROM msg WHERE typeid=1"));
    EXPECT_EQ(Numbered({"b", "a", "c"}), ListRows());
    EXPECT_EQ(1, Selection()) << "the selection stays on the row";
    SelectRow(2);
    Choose(kId上移);
    EXPECT_EQ(Numbered({"b", "c", "a"}), ListRows());
    EXPECT_EQ((std::vector<std::string>{"b", "c", "a"}), StoredTexts(1));
    EXPECT_TRUE(dialogs_.calls().empty());
    EXPECT_TRUE(followActive);
}

TEST_F(MessageListTest, MoveDownExchangesWithTheRowBelow) {
    StartWithABC();
    SelectRow(0);
    Choose(kId下移);
    EXPECT_EQ(Numbered({"b", "a", "c"}), ListRows());
    EXPECT_EQ((std::vector<std::string>{"b", "a", "c"}), StoredTexts(1));
    SelectRow(1);
    Choose(kId下移);
    EXPECT_EQ(Numbered({"b", "c", "a"}), ListRows());
    EXPECT_EQ((std::vector<std::string>{"b", "c", "a"}), StoredTexts(1));
    EXPECT_EQ(std::vector<std::string>{"x"}, StoredTexts(2)) << "other categories are not touched";
}

TEST_F(MessageListTest, MovesAtTheEndsOrWithoutSelectionChangeNothing) {
    StartWithABC();
    const struct {
        int select;
        WORD item;
        const char* message;  // nullptr: nothing shown
    } cases[] = {
        {0, kId上移, "当前消息已经处于最顶部了"},
        {2, kId下移, "当前消息已经处于最底部了"},
        {-1, kId上移, nullptr},
        {-1, kId下移, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.select << " item " << c.item);
        const size_t shownBefore = dialogs_.MessageTexts().size();
        if (c.message != nullptr) dialogs_.AnswerOk();
        SelectRow(c.select);
        Choose(c.item);
        const std::vector<std::string> shown = dialogs_.MessageTexts();
        ASSERT_EQ(shownBefore + (c.message != nullptr ? 1 : 0), shown.size());
        if (c.message != nullptr) {
            EXPECT_EQ(c.message, shown.back());
        }
        EXPECT_EQ(Numbered({"a", "b", "c"}), ListRows());
        EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), StoredTexts(1));
        EXPECT_TRUE(followActive);
    }
    ExpectDockingPausedForDialogs();
}

TEST_F(MessageListTest, MovesInAnEmptyList) {
    Seed({{1, "默认"}});
    Start();
    Choose(kId上移);
    EXPECT_TRUE(dialogs_.calls().empty());
    dialogs_.AnswerOk();
    Choose(kId下移);
    EXPECT_EQ(std::vector<std::string>{"当前消息已经处于最底部了"}, dialogs_.MessageTexts());
    EXPECT_EQ(FormTest::Rows{}, ListRows());
    ExpectDockingPausedForDialogs();
}

// When the list shows rows the store does not hold, a move never reaches past the loaded messages and
// changes no stored row.
TEST_F(MessageListTest, MovesBesideRowsTheStoreDoesNotHold) {
    Seed({{1, "默认"}}, {{1, "a"}, {1, "b"}});
    Start();
    AppendMessageRows(mainForm.超级列表框_消息列表, {"ghost", "ghost2"});
    const Rows shown = ListRows();
    for (const auto& move : {std::make_pair(1, kId下移), std::make_pair(2, kId上移), std::make_pair(2, kId下移)}) {
        SelectRow(move.first);
        Choose(move.second);
        EXPECT_EQ((RawRows{{"1", "a"}, {"2", "b"}}), Stored("SELECT ID, msg FROM msg"));
        EXPECT_EQ(shown, ListRows());
    }
}

}  // namespace
