// The identity and the usage report as start-up runs them, against the local service.
#include "net/usage_report.h"

#include <gtest/gtest.h>

#include "state/app_state.h"
#include "app/startup.h"
#include "net/identity.h"
#include "net/update_check.h"
#include "tests/support/local_http_service.h"
#include "tests/support/raw_store.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_working_directory.h"
#include "ui/main_window.h"
#include "ui/window_layer.h"

namespace {

const char kReportTarget[] = "/chat.php?cmd=count&identify=";
const char kNetworkTrouble[] = "当前网络异常,暂时无法检测";

bool IsLowerHex32(const std::string& text) {
    if (text.size() != 32) return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

class UsageReportTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(service_.listening()); }
    void TearDown() override { CleanupAtExit(); }

    // InitGlobals, the window and OnWindowCreated, then the window closed again as at exit.
    void StartAndClose() {
        InitGlobals();
        HWND window = CreateMainWindow(GetModuleHandleA(nullptr), OnWindowCreated);
        ASSERT_NE(nullptr, window);
        identitySeen_ = machineIdentity;
        DestroyWindow(window);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        CleanupAtExit();
    }

    RawRows StoredIdentity() const {
        return RawQuery(directory_.File("chat.db"), "SELECT value FROM config WHERE key='identify'");
    }

    TempWorkingDirectory directory_;
    ScriptedDialogs dialogs_;  // nothing may be shown: any message box fails the test
    LocalHttpService service_;
    ServiceHostOverride host_{service_.host()};
    std::string identitySeen_;
};

TEST_F(UsageReportTest, FirstStartMakesStoresAndReportsAnIdentity) {
    StartAndClose();
    EXPECT_TRUE(IsLowerHex32(identitySeen_)) << identitySeen_;
    EXPECT_EQ((RawRows{{identitySeen_}}), StoredIdentity());

    ASSERT_EQ(1u, service_.requests().size()) << "one report per start";
    const RecordedRequest request = service_.requests()[0];
    const std::string target = kReportTarget + identitySeen_;
    EXPECT_EQ("GET " + target + " HTTP/1.1", request.requestLine);
    EXPECT_EQ(UsageReportAddress(identitySeen_), "http://" + service_.host() + target);
    const std::string block =
        "Accept: */*\r\nReferer: http://" + service_.host() + target + "\r\nAccept-Language: zh-cn\r\n";
    EXPECT_NE(std::string::npos, request.head.find("\r\n" + block)) << request.head;
    EXPECT_EQ("Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)", request.Header("User-Agent"));
}

TEST_F(UsageReportTest, SecondStartSendsTheSameIdentity) {
    StartAndClose();
    const std::string first = identitySeen_;
    StartAndClose();
    EXPECT_EQ(first, identitySeen_);
    ASSERT_EQ(2u, service_.requests().size());
    EXPECT_EQ(service_.requests()[0].requestLine, service_.requests()[1].requestLine);
    EXPECT_EQ((RawRows{{first}}), StoredIdentity()) << "the row is never changed";
}

TEST_F(UsageReportTest, StoredIdentityIsSentUnchanged) {
    for (const std::string stored : {"NOT-HEX_id.42", ""}) {
        DeleteFileA(directory_.File("chat.db").c_str());
        RawExecute(directory_.File("chat.db"), "CREATE TABLE config (\"key\" VARCHAR (20) PRIMARY KEY, value TEXT)");
        RawExecute(directory_.File("chat.db"), "INSERT INTO config VALUES ('identify', '" + stored + "')");
        const size_t before = service_.requests().size();
        StartAndClose();
        EXPECT_EQ(stored, identitySeen_);
        ASSERT_EQ(before + 1, service_.requests().size());
        EXPECT_EQ(kReportTarget + stored, service_.requests().back().Target());
    }
}

TEST_F(UsageReportTest, UnreachableServiceStillCompletesStartUp) {
    ServiceHostOverride closed("127.0.0.1:" + std::to_string(ClosedLocalPort()));
    InitGlobals();
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), OnWindowCreated);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("快捷回复窗口 v 1.0.0", WindowCaption(window));
    EXPECT_TRUE(IsLowerHex32(machineIdentity)) << "the identity is made and stored without a network";
    EXPECT_EQ((RawRows{{machineIdentity}}), StoredIdentity());
    DestroyWindow(window);
    EXPECT_TRUE(service_.requests().empty());
}

TEST_F(UsageReportTest, IdentityThatCannotBeStoredIsSentEmpty) {
    ASSERT_TRUE(WriteFileBytes(directory_.File("chat.db"), std::string(4096, '\x5A')));  // not a database
    dialogs_.AnswerOk();  // the category load says it cannot read the store
    StartAndClose();
    EXPECT_EQ(std::vector<std::string>{"获取全部数据失败"}, dialogs_.MessageTexts());
    EXPECT_EQ("", identitySeen_);
    ASSERT_EQ(1u, service_.requests().size());
    EXPECT_EQ(kReportTarget, service_.requests()[0].Target());
}

// A service that hangs holds neither start-up nor the version check: the report gives up after three
// seconds and each check after fifteen, whatever the service does. The checks run side by side while
// the starts follow one another, and the window is closed and cleaned up while they still run. The
// limits leave a loaded machine seven and ten seconds beyond those bounds; without them a start waits
// for ever (or, with the one-byte-a-second service, more than a minute).
TEST_F(UsageReportTest, HangingServiceHoldsNeitherStartUpNorTheVersionCheck) {
    const std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: 12\r\nConnection: close\r\n\r\n{\"status\":2}";
    LocalHttpService silent, slow;
    const struct {
        const char* name;
        std::string host;
    } cases[] = {
        {"accepts and never answers", silent.host()},
        {"answers one byte a second", slow.host()},
        {"refuses", "127.0.0.1:" + std::to_string(ClosedLocalPort())},
    };
    versionText = kVersionText;
    const DWORD checksStarted = GetTickCount();
    for (const auto& c : cases) {
        silent.AnswerNever();
        slow.AnswerSlowly(reply);
        dialogs_.AnswerOk();
        ServiceHostOverride host(c.host);
        CheckForUpdate();
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ServiceHostOverride host(c.host);
        const DWORD started = GetTickCount();
        StartAndClose();
        EXPECT_LT(GetTickCount() - started, 10000u) << "start-up waited too long for the usage report";
        EXPECT_TRUE(IsLowerHex32(identitySeen_)) << "start-up did not run to its end";
    }
    ASSERT_TRUE(WaitForUpdateChecks(30000));
    EXPECT_LT(GetTickCount() - checksStarted, 25000u) << "a version check waited too long";
    EXPECT_EQ(std::vector<std::string>(3, kNetworkTrouble), dialogs_.MessageTexts());
    EXPECT_TRUE(followActive);
}

}  // namespace
