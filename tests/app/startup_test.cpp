#include "app/startup.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "state/app_state.h"
#include "tests/support/local_http_service.h"
#include "tests/support/raw_store.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_working_directory.h"
#include "tests/support/window_watch.h"
#include "ui/main_form.h"
#include "ui/main_window.h"
#include "ui/tab_strip.h"
#include "ui/window_layer.h"

namespace {

// "快捷回复窗口 v 1.0.0" spelled out in GBK bytes, independent of the compiler's character set.
const std::string kCaptionAfterStartUp =
    "\xBF\xEC\xBD\xDD\xBB\xD8\xB8\xB4\xB4\xB0\xBF\xDA"
    " v 1.0.0";

const char kConfigSql[] = "CREATE TABLE config (\"key\" VARCHAR (20) PRIMARY KEY, value TEXT)";
const char kMsgSql[] =
    "CREATE TABLE msg (ID INTEGER PRIMARY KEY, msg VARCHAR, count INT DEFAULT (0), typeid INTEGER REFERENCES type "
    "(ID))";
const char kTypeSql[] = "CREATE TABLE type (ID INTEGER PRIMARY KEY, name VARCHAR (255) NOT NULL)";

// Drops what a destroyed window left in the queue (WM_QUIT among it), so the next loop starts clean.
void DrainMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class StartUpTest : public testing::Test {
protected:
    // The window-created path without the event loop: InitGlobals, the window, OnWindowCreated.
    HWND CreateWindowLikeStartUp() {
        InitGlobals();
        HWND window = CreateMainWindow(GetModuleHandleA(nullptr), OnWindowCreated);
        EXPECT_NE(nullptr, window);
        return window;
    }

    void CloseLikeExit(HWND window) {
        DestroyWindow(window);
        DrainMessages();
        CleanupAtExit();
    }

    void TearDown() override { CleanupAtExit(); }

    std::vector<std::string> TabCaptions() {
        TabStrip tabs;
        tabs.Attach(mainForm.选择夹_分类);
        std::vector<std::string> captions;
        for (int i = 0; i < tabs.ItemCount(); ++i)
            captions.push_back(tabs.ItemText(i));
        return captions;
    }

    // A store that cannot be read: start-up still completes, says so once, and keeps the design tabs.
    void ExpectLoadFailureReported() {
        EXPECT_EQ(std::vector<std::string>{"获取全部数据失败"}, dialogs_.MessageTexts());
        EXPECT_EQ((std::vector<std::string>{"默认", "业务", "闲聊", "笑话"}), TabCaptions());
        EXPECT_EQ(0, ListRowCount(mainForm.超级列表框_消息列表));
    }

    TempWorkingDirectory directory_;
    ScriptedDialogs dialogs_;   // start-up must show nothing here: any dialog fails the test
    LocalHttpService service_;  // the usage report goes here, never to the network
    ServiceHostOverride host_{service_.host()};
};

TEST_F(StartUpTest, WindowCreatedSetsCaptionStateAndSchema) {
    HWND window = CreateWindowLikeStartUp();
    EXPECT_EQ(kCaptionAfterStartUp, WindowCaption(window));
    EXPECT_TRUE(followActive);
    EXPECT_EQ(0, currentTabIndex);
    EXPECT_EQ(-1, lastPickedRow);
    EXPECT_FALSE(pullChatWindow);
    EXPECT_EQ("v 1.0.0", versionText);
    EXPECT_TRUE(chatTargets.empty());
    EXPECT_NE(nullptr, categoryTable);
    EXPECT_NE(nullptr, messageTable);
    EXPECT_NE(nullptr, configTable);

    const RawRows schema = RawQuery(directory_.File("chat.db"), "SELECT name, sql FROM sqlite_master ORDER BY name");
    const RawRows expected = {
        {"config", kConfigSql}, {"msg", kMsgSql}, {"sqlite_autoindex_config_1", "<null>"}, {"type", kTypeSql}};
    EXPECT_EQ(expected, schema);
    EXPECT_EQ(RawRows{}, RawQuery(directory_.File("chat.db"), "SELECT * FROM msg"));
    EXPECT_EQ((RawRows{{"1", u8"默认"}}), RawQuery(directory_.File("chat.db"), "SELECT * FROM type"))
        << "a new store gets the default category";
    EXPECT_EQ(std::vector<std::string>{"默认"}, TabCaptions());
    for (HWND checkBox : {mainForm.选择框_QQ, mainForm.选择框_微信, mainForm.选择框_双击发送, mainForm.选择框_旺旺}) {
        EXPECT_TRUE(IsChecked(checkBox));
    }
    // The one setting start-up writes: the machine identity, reported to the service as the last step.
    EXPECT_EQ((RawRows{{"identify", machineIdentity}}), RawQuery(directory_.File("chat.db"), "SELECT * FROM config"));
    ASSERT_EQ(1u, service_.requests().size());
    EXPECT_EQ("/chat.php?cmd=count&identify=" + machineIdentity, service_.requests()[0].Target());
    CloseLikeExit(window);
}

TEST_F(StartUpTest, WindowIsCentredWithTheFormsOuterSize) {
    HWND window = CreateWindowLikeStartUp();
    RECT box;
    ASSERT_TRUE(GetWindowRect(window, &box));
    EXPECT_EQ(657, box.right - box.left);
    EXPECT_EQ(546, box.bottom - box.top);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 657) / 2, box.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 546) / 2, box.top);
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    CloseLikeExit(window);
}

TEST_F(StartUpTest, StoreIsTheWorkingDirectorysNotTheExecutablesFolder) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string exeFolder(exe);
    exeFolder.resize(exeFolder.find_last_of('\\'));
    ASSERT_NE(exeFolder, directory_.path());
    const bool existedBeside = FileExists(exeFolder + "\\chat.db");

    HWND window = CreateWindowLikeStartUp();
    EXPECT_TRUE(FileExists(directory_.File("chat.db")));
    EXPECT_EQ(existedBeside, FileExists(exeFolder + "\\chat.db"));
    CloseLikeExit(window);
}

TEST_F(StartUpTest, CleanupReleasesStateAndClosesEveryConnection) {
    HWND window = CreateWindowLikeStartUp();
    chatTargets.push_back({window, "cls", "title"});
    machineIdentity = "0123";
    CloseLikeExit(window);

    EXPECT_EQ(nullptr, categoryTable);
    EXPECT_EQ(nullptr, messageTable);
    EXPECT_EQ(nullptr, configTable);
    EXPECT_TRUE(chatTargets.empty());
    EXPECT_TRUE(versionText.empty());
    EXPECT_TRUE(machineIdentity.empty());
    // SQLite keeps its file open without delete sharing: the delete succeeds only once all are closed.
    EXPECT_TRUE(DeleteFileA(directory_.File("chat.db").c_str())) << GetLastError();
}

TEST_F(StartUpTest, StartUpRunsTheEventLoopUntilTheWindowCloses) {
    std::string captionSeen;
    WindowWatch closer(kCaptionAfterStartUp, [&captionSeen](HWND window) {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        captionSeen = text;
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(0, StartUp(GetModuleHandleA(nullptr)));
    EXPECT_TRUE(closer.Wait());
    EXPECT_EQ(kCaptionAfterStartUp, captionSeen);
    EXPECT_EQ(nullptr, categoryTable) << "clean-up runs when the loop ends";
    EXPECT_TRUE(DeleteFileA(directory_.File("chat.db").c_str())) << "connections closed";
}

TEST_F(StartUpTest, SecondStartKeepsSchemaAndRows) {
    HWND window = CreateWindowLikeStartUp();
    MessageRow message;
    message.msg = "你好";
    message.typeId = 1;
    ASSERT_TRUE(messageTable->Insert(message));
    ASSERT_TRUE(configTable->Insert(ConfigRow{"probe", "abc"}));
    CloseLikeExit(window);
    const RawRows schemaBefore = RawQuery(directory_.File("chat.db"), "SELECT sql FROM sqlite_master ORDER BY name");

    window = CreateWindowLikeStartUp();
    EXPECT_EQ(schemaBefore, RawQuery(directory_.File("chat.db"), "SELECT sql FROM sqlite_master ORDER BY name"));
    std::vector<CategoryRow> categories;
    int errorCode = 0;
    ASSERT_TRUE(categoryTable->LoadAll(&categories, &errorCode));
    ASSERT_EQ(1u, categories.size());
    EXPECT_EQ("默认", categories[0].name);
    std::vector<MessageRow> messages;
    ASSERT_TRUE(messageTable->LoadByCategory(1, &messages, &errorCode));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("你好", messages[0].msg);
    EXPECT_EQ("你好", ListCell(mainForm.超级列表框_消息列表, 0, 1)) << "the list shows the first category";
    ConfigRow probe;
    EXPECT_TRUE(configTable->Get("probe", &probe));
    EXPECT_EQ("abc", probe.value);
    CloseLikeExit(window);
}

TEST_F(StartUpTest, NotADatabaseStartsAndFailsLoadsWithoutTouchingTheFile) {
    std::string noise;
    unsigned seed = 12345;
    for (int i = 0; i < 8192; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise += static_cast<char>(seed >> 16);
    }
    ASSERT_TRUE(WriteFileBytes(directory_.File("chat.db"), noise));

    dialogs_.AnswerOk();
    HWND window = CreateWindowLikeStartUp();
    EXPECT_EQ(kCaptionAfterStartUp, WindowCaption(window));
    ExpectLoadFailureReported();
    std::vector<CategoryRow> categories;
    int errorCode = 0;
    EXPECT_FALSE(categoryTable->LoadAll(&categories, &errorCode));
    EXPECT_EQ(1, errorCode);
    EXPECT_TRUE(categories.empty());
    EXPECT_FALSE(categoryTable->Insert(CategoryRow{0, "a"}));
    CloseLikeExit(window);
    EXPECT_EQ(noise, ReadFileBytes(directory_.File("chat.db")));
}

TEST_F(StartUpTest, UnwritableWorkingDirectoryStartsAndFailsLoads) {
    // /proc cannot be written even by root, so it stands in for a read-only folder under Wine.
    const char kReadOnlyFolder[] = "Z:\\proc";
    if (GetFileAttributesA(kReadOnlyFolder) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "no read-only folder mapped at " << kReadOnlyFolder;
    }
    ASSERT_TRUE(SetCurrentDirectoryA(kReadOnlyFolder));
    dialogs_.AnswerOk();
    HWND window = CreateWindowLikeStartUp();
    SetCurrentDirectoryA(directory_.path().c_str());
    EXPECT_EQ(kCaptionAfterStartUp, WindowCaption(window));
    ExpectLoadFailureReported();
    std::vector<CategoryRow> categories;
    int errorCode = 0;
    EXPECT_FALSE(categoryTable->LoadAll(&categories, &errorCode));
    EXPECT_EQ(1, errorCode);
    EXPECT_FALSE(categoryTable->Insert(CategoryRow{0, "a"}));
    ConfigRow row;
    EXPECT_FALSE(configTable->Get("identify", &row));
    EXPECT_FALSE(FileExists("Z:\\proc\\chat.db"));
    CloseLikeExit(window);
}

}  // namespace
