// The category buttons and the tab strip, driven through the window as the user drives them, with
// every dialog answered from a script. Each case checks the tabs, the list and the rows of chat.db.
#include <windows.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "state/app_state.h"
#include "base/handles.h"
#include "base/text_codec.h"
#include "tests/ui/form_fixture.h"
#include "ui/category_tabs.h"
#include "ui/main_form.h"
#include "ui/tab_strip.h"
#include "ui/window_layer.h"

namespace {

class CategoryTabsTest : public FormTest {
protected:
    // Two categories with messages, as most cases need them.
    void StartWithTwo() {
        Seed({{1, "默认"}, {2, "业务"}}, {{1, "早上好"}, {2, "报价单"}, {2, "发货了"}});
        Start();
    }

    // The name dialog was shown once, with its title and the given starting text.
    void ExpectNameDialog(size_t index, const std::string& initial) {
        ASSERT_LT(index, dialogs_.calls().size());
        const ScriptedDialogs::Call call = dialogs_.calls()[index];
        EXPECT_EQ(ScriptedDialogs::Kind::Text, call.kind);
        EXPECT_EQ("请输入分类名称,不可重复", call.caption);
        EXPECT_EQ(initial, call.text);
        EXPECT_EQ(mainForm.window, call.owner);
    }
};

// A second connection that holds the write lock: reads still work, every write fails at once.
class WriteLock {
public:
    explicit WriteLock(const std::string& path) {
        sqlite3* raw = nullptr;
        sqlite3_open(AnsiToUtf8(path).c_str(), &raw);
        db_.reset(raw);
        EXPECT_EQ(SQLITE_OK, sqlite3_exec(raw, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr));
    }
    ~WriteLock() { sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr); }

private:
    SqliteDatabase db_;
};

TEST_F(CategoryTabsTest, FirstStartStoresOneDefaultCategory) {
    Start();
    EXPECT_EQ(std::vector<std::string>{"默认"}, Tabs());
    EXPECT_EQ((RawRows{{"1", u8"默认"}}), Stored("SELECT * FROM type"));
    EXPECT_TRUE(dialogs_.calls().empty());
}

TEST_F(CategoryTabsTest, TabsFollowAscendingIdAndTheFirstIsListed) {
    Seed({{3, "业务"}, {1, "默认"}}, {{3, "报价"}, {1, "你好"}, {1, "再见"}});
    Start();
    EXPECT_EQ((std::vector<std::string>{"默认", "业务"}), Tabs());
    EXPECT_EQ(0, TabSelection(mainForm.选择夹_分类));
    EXPECT_EQ(Numbered({"你好", "再见"}), ListRows());
}

// A store that cannot keep the default category is reported once instead of reloaded for ever.
TEST_F(CategoryTabsTest, DefaultCategoryThatCannotBeStoredIsReportedOnce) {
    RawExecute(Db(), "CREATE TABLE type (ID INTEGER PRIMARY KEY, name VARCHAR (255) NOT NULL CHECK (0))");
    dialogs_.AnswerOk();
    Start();
    EXPECT_EQ(std::vector<std::string>{"获取全部数据失败"}, dialogs_.MessageTexts());
    EXPECT_EQ((std::vector<std::string>{"默认", "业务", "闲聊", "笑话"}), Tabs());
}

TEST_F(CategoryTabsTest, SwitchingTabsRefillsTheList) {
    StartWithTwo();
    PickTab(1);
    EXPECT_EQ(1, currentTabIndex);
    EXPECT_EQ(Numbered({"报价单", "发货了"}), ListRows());
    // Picking the tab that is already selected changes nothing, not even from a changed store.
    RawExecute(Db(), "INSERT INTO msg (msg, typeid) VALUES ('new', 2)");
    PickTab(1);
    EXPECT_EQ(Numbered({"报价单", "发货了"}), ListRows());
    PickTab(0);
    EXPECT_EQ(Numbered({"早上好"}), ListRows());
}

TEST_F(CategoryTabsTest, AddAppendsANewTabWithoutSelectingIt) {
    StartWithTwo();
    dialogs_.AnswerText("闲聊");
    Click(mainForm.按钮_添加分类);
    ExpectNameDialog(0, "");
    EXPECT_EQ((std::vector<std::string>{"默认", "业务", "闲聊"}), Tabs());
    EXPECT_EQ(0, TabSelection(mainForm.选择夹_分类));
    EXPECT_EQ(0, currentTabIndex);
    EXPECT_EQ(Numbered({"早上好"}), ListRows());
    EXPECT_EQ((RawRows{{"3", u8"闲聊"}}), Stored("SELECT * FROM type WHERE ID=3"));
    ExpectDockingPausedForDialogs();
}

TEST_F(CategoryTabsTest, AddRefusesAnExistingNameAndCancelOrAFailedInsertAddsNothing) {
    StartWithTwo();
    dialogs_.AnswerText("业务");
    dialogs_.AnswerOk();
    Click(mainForm.按钮_添加分类);
    EXPECT_EQ(std::vector<std::string>{"分类名已经存在,不可重复"}, dialogs_.MessageTexts());
    dialogs_.AnswerCancel();
    Click(mainForm.按钮_添加分类);
    {
        WriteLock lock(Db());  // the insert fails: no tab without a stored category behind it
        dialogs_.AnswerText("闲聊");
        Click(mainForm.按钮_添加分类);
    }
    EXPECT_EQ(std::vector<std::string>{"分类名已经存在,不可重复"}, dialogs_.MessageTexts());
    EXPECT_EQ((std::vector<std::string>{"默认", "业务"}), Tabs());
    EXPECT_EQ((RawRows{{"2"}}), Stored("SELECT COUNT(*) FROM type"));
    ExpectDockingPausedForDialogs();
}

TEST_F(CategoryTabsTest, AddTakesNamesWithApostrophes) {
    StartWithTwo();
    dialogs_.AnswerText("Don't forget");
    Click(mainForm.按钮_添加分类);
    dialogs_.AnswerText("Don't forget");
    dialogs_.AnswerOk();
    Click(mainForm.按钮_添加分类);
    EXPECT_EQ(std::vector<std::string>{"分类名已经存在,不可重复"}, dialogs_.MessageTexts());
    EXPECT_EQ((RawRows{{"1"}}), Stored("SELECT COUNT(*) FROM type WHERE name='Don''t forget'"));
}

TEST_F(CategoryTabsTest, RenameRecaptionsTheCurrentTab) {
    StartWithTwo();
    PickTab(1);
    dialogs_.AnswerText("It's business");
    Click(mainForm.按钮_编辑分类);
    ExpectNameDialog(0, "业务");
    EXPECT_EQ((std::vector<std::string>{"默认", "It's business"}), Tabs());
    EXPECT_EQ((RawRows{{"2", "It's business"}}), Stored("SELECT * FROM type WHERE ID=2"));
    EXPECT_TRUE(dialogs_.MessageTexts().empty());
    ExpectDockingPausedForDialogs();
}

TEST_F(CategoryTabsTest, RenameToSameOrExistingNameOrCancelChangesNothing) {
    StartWithTwo();
    dialogs_.AnswerText("默认");  // the same name: nothing happens, nothing is shown
    Click(mainForm.按钮_编辑分类);
    dialogs_.AnswerText("业务");
    dialogs_.AnswerOk();
    Click(mainForm.按钮_编辑分类);
    dialogs_.AnswerCancel();
    Click(mainForm.按钮_编辑分类);
    EXPECT_EQ(std::vector<std::string>{"分类名已经存在,请修改为其他名称"}, dialogs_.MessageTexts());
    EXPECT_EQ((std::vector<std::string>{"默认", "业务"}), Tabs());
    EXPECT_EQ((RawRows{{"1", u8"默认"}, {"2", u8"业务"}}), Stored("SELECT * FROM type ORDER BY ID"));
    ExpectDockingPausedForDialogs();
}

TEST_F(CategoryTabsTest, RenameThatCannotBeStoredSaysSoAndKeepsTheTab) {
    StartWithTwo();
    WriteLock lock(Db());
    dialogs_.AnswerText("新名字");
    dialogs_.AnswerOk();
    Click(mainForm.按钮_编辑分类);
    EXPECT_EQ(std::vector<std::string>{"修改分类名失败"}, dialogs_.MessageTexts());
    EXPECT_EQ((std::vector<std::string>{"默认", "业务"}), Tabs());
    ExpectDockingPausedForDialogs();
}

TEST_F(CategoryTabsTest, DeleteOfTheSecondTabLeavesTheFirstCurrentAndRemovesItsMessages) {
    StartWithTwo();
    PickTab(1);
    dialogs_.AnswerOk();
    Click(mainForm.按钮_删除分类);
    ASSERT_EQ(1u, dialogs_.calls().size());
    EXPECT_EQ("确认删除该子夹,并删除该子夹消息列表", dialogs_.calls()[0].text);
    EXPECT_EQ(MessageButtons::OkCancel, dialogs_.calls()[0].buttons);
    EXPECT_EQ(std::vector<std::string>{"默认"}, Tabs());
    EXPECT_EQ(0, currentTabIndex);
    EXPECT_EQ(Numbered({"早上好"}), ListRows());
    EXPECT_EQ((RawRows{{"1", u8"默认"}}), Stored("SELECT * FROM type"));
    EXPECT_TRUE(StoredTexts(2).empty());
    ExpectDockingPausedForDialogs();
}

TEST_F(CategoryTabsTest, DeleteOfTheFirstTabMakesTheLastCurrent) {
    Seed({{1, "一"}, {2, "二"}, {3, "三"}}, {{1, "m1"}, {2, "m2"}, {3, "m3"}});
    Start();
    dialogs_.AnswerOk();
    Click(mainForm.按钮_删除分类);
    EXPECT_EQ((std::vector<std::string>{"二", "三"}), Tabs());
    EXPECT_EQ(1, currentTabIndex);
    EXPECT_EQ(1, TabSelection(mainForm.选择夹_分类));
    EXPECT_EQ(Numbered({"m3"}), ListRows());
    EXPECT_TRUE(StoredTexts(1).empty());
    EXPECT_EQ(std::vector<std::string>{"m2"}, StoredTexts(2));
}

TEST_F(CategoryTabsTest, DeleteRefusedOrCancelledChangesNothing) {
    Seed({{1, "默认"}}, {{1, "keep"}});
    Start();
    dialogs_.AnswerOk();
    Click(mainForm.按钮_删除分类);
    EXPECT_EQ(std::vector<std::string>{"只剩一个子夹,不能删除"}, dialogs_.MessageTexts());

    AppendTab("别的");
    dialogs_.AnswerCancel();
    Click(mainForm.按钮_删除分类);
    EXPECT_EQ((std::vector<std::string>{"默认", "别的"}), Tabs());
    EXPECT_EQ(std::vector<std::string>{"keep"}, StoredTexts(1));
    EXPECT_TRUE(followActive);
}

TEST_F(CategoryTabsTest, DeleteOfATabWithoutCategoryOrWithAFailedDeleteSaysSo) {
    StartWithTwo();
    AppendTab("幽灵");  // a tab with no stored category behind it
    PickTab(2);
    dialogs_.AnswerOk();
    dialogs_.AnswerOk();
    Click(mainForm.按钮_删除分类);
    {
        PickTab(1);
        WriteLock lock(Db());
        dialogs_.AnswerOk();
        dialogs_.AnswerOk();
        Click(mainForm.按钮_删除分类);
    }
    EXPECT_EQ((std::vector<std::string>{"确认删除该子夹,并删除该子夹消息列表", "分类名不存在",
                                        "确认删除该子夹,并删除该子夹消息列表", "删除该文件夹失败"}),
              dialogs_.MessageTexts());
    EXPECT_EQ((std::vector<std::string>{"默认", "业务", "幽灵"}), Tabs());
    EXPECT_EQ((std::vector<std::string>{"报价单", "发货了"}), StoredTexts(2));
    ExpectDockingPausedForDialogs();
}

// Names longer than the first read of a caption find their category on every path that goes through
// the current tab: its list, a duplicate, an import, a rename and a delete.
TEST_F(CategoryTabsTest, LongNamesFindTheirCategoryOnEveryPath) {
    std::string gbk5000;
    std::string utf8Of5000;
    while (gbk5000.size() < 5000) {
        gbk5000 += "分类名称";
        utf8Of5000 += u8"分类名称";
    }
    const std::string names[] = {
        std::string(254, 'a'),
        std::string(255, 'b'),
        std::string(254, 'c') + "你好",  // 你 takes bytes 254 and 255, across both first buffers
        gbk5000,
    };
    const std::string storedNames[] = {names[0], names[1], std::string(254, 'c') + u8"你好", utf8Of5000};
    std::vector<std::pair<int, std::string>> categories = {{1, "默认"}};
    std::vector<std::pair<int, std::string>> messages;
    for (int id = 2; id < 6; ++id) {
        categories.push_back({id, names[id - 2]});
        messages.push_back({id, "m"});
    }
    Seed(categories, messages);
    Start();
    ASSERT_TRUE(WriteFileBytes(directory_.File("one.txt"), "imported\r\n"));
    // Each round works on tab 1 and deletes it, so the next category's tab moves up to index 1.
    for (int id = 2; id < 6; ++id) {
        const std::string& name = names[id - 2];
        SCOPED_TRACE(std::to_string(name.size()) + " bytes");
        PickTab(1);
        EXPECT_EQ(Numbered({"m"}), ListRows());
        SelectRow(0);
        Choose(kId复制该消息);
        dialogs_.AnswerFile(directory_.File("one.txt"));
        Click(mainForm.按钮_导入消息);
        EXPECT_EQ((std::vector<std::string>{"m", "m", "imported"}), StoredTexts(id));

        const size_t asked = dialogs_.calls().size();
        dialogs_.AnswerText(name + "!");
        Click(mainForm.按钮_编辑分类);
        ExpectNameDialog(asked, name);
        EXPECT_EQ((RawRows{{storedNames[id - 2] + "!"}}),
                  Stored("SELECT name FROM type WHERE ID=" + std::to_string(id)));
        EXPECT_EQ(name + "!", Tabs()[1]);

        dialogs_.AnswerOk();
        Click(mainForm.按钮_删除分类);
        EXPECT_TRUE(StoredTexts(id).empty());
    }
    EXPECT_EQ((std::vector<std::string>{"默认"}), Tabs());
    EXPECT_EQ((RawRows{{"1", u8"默认"}}), Stored("SELECT * FROM type"));
    EXPECT_EQ(std::vector<std::string>(4, "确认删除该子夹,并删除该子夹消息列表"), dialogs_.MessageTexts());
}

}  // namespace
