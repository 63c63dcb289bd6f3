// The version check on its own thread, against the local service, with scripted message boxes.
#include "net/update_check.h"

#include <gtest/gtest.h>

#include "state/app_state.h"
#include "tests/support/local_http_service.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_working_directory.h"

namespace {

const std::string kInfoCaption = "\xD0\xC5\xCF\xA2\xA3\xBA";  // "信息："
const char kNewVersion[] = "发现新版本,是否前往下载";
const char kNoNewVersion[] = "没有新版本";
const char kNetworkTrouble[] = "当前网络异常,暂时无法检测";
const DWORD kCheckTimeoutMs = 60000;
const char kZeroInside[] = "{\"status\":1}\0{\"status\":2}";

enum class Answer { None, Ok, Cancel };

class UpdateCheckTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(service_.listening());
        versionText = "v 1.0.0";
        followActive.Reset();
    }

    // Starts a check the way the menu does and waits for its thread to end.
    void RunCheck() {
        CheckForUpdate();
        ASSERT_TRUE(WaitForUpdateChecks(kCheckTimeoutMs)) << "the check did not end";
    }

    LocalHttpService service_;
    ServiceHostOverride host_{service_.host()};
};

TEST_F(UpdateCheckTest, AddressCarriesTheVersionWithItsSpaceEscaped) {
    EXPECT_EQ("http://" + service_.host() + "/chat.php?cmd=checknew&version=v%201.0.0", UpdateCheckAddress());
    ScriptedDialogs dialogs;
    dialogs.AnswerOk();
    RunCheck();
    ASSERT_EQ(1u, service_.requests().size());
    const RecordedRequest request = service_.requests()[0];
    EXPECT_EQ("GET /chat.php?cmd=checknew&version=v%201.0.0 HTTP/1.1", request.requestLine);
    EXPECT_NE(std::string::npos, request.head.find("\r\nAccept: */*\r\nReferer: " + UpdateCheckAddress() +
                                                   "\r\nAccept-Language: zh-cn\r\n"))
        << request.head;
}

TEST_F(UpdateCheckTest, RepliesLeadToTheirMessagesAndOpens) {
    const struct {
        const char* name;
        std::string body;
        Answer answer;
        const char* message;
        std::vector<std::string> opened;
    } cases[] = {
        {"status 1 as number, OK",
         "{\"status\":1,\"url\":\"http://dl.example/new\"}",
         Answer::Ok,
         kNewVersion,
         {"http://dl.example/new"}},
        {"status 1 as text, OK",
         "{\"status\":\"1\",\"url\":\"https://dl.example/n?a=1&b=2\"}",
         Answer::Ok,
         kNewVersion,
         {"https://dl.example/n?a=1&b=2"}},
        {"upper-case scheme",
         "{\"status\":1,\"url\":\"HTTPS://DL.example/\"}",
         Answer::Ok,
         kNewVersion,
         {"HTTPS://DL.example/"}},
        {"status 1, Cancel", "{\"status\":1,\"url\":\"http://dl.example/new\"}", Answer::Cancel, kNewVersion, {}},
        {"status 1, empty url", "{\"status\":1,\"url\":\"\"}", Answer::Ok, kNewVersion, {}},
        {"status 1, no url", "{\"status\":1}", Answer::Ok, kNewVersion, {}},
        {"status 1, a program",
         "{\"status\":1,\"url\":\"C:\\\\windows\\\\system32\\\\calc.exe\"}",
         Answer::Ok,
         kNewVersion,
         {}},
        {"status 1, a file address",
         "{\"status\":1,\"url\":\"file:///C:/windows/win.ini\"}",
         Answer::Ok,
         kNewVersion,
         {}},
        {"status 1, a command", "{\"status\":1,\"url\":\"cmd /c calc\"}", Answer::Ok, kNewVersion, {}},
        {"text up to the first zero byte",
         std::string(kZeroInside, sizeof kZeroInside - 1),
         Answer::Ok,
         kNewVersion,
         {}},
        {"status \"0\"", "{\"status\":\"0\",\"url\":\"http://x/\"}", Answer::Ok, kNoNewVersion, {}},
        {"status 2", "{\"status\":2}", Answer::Ok, kNoNewVersion, {}},
        {"status \"1 \"", "{\"status\":\"1 \"}", Answer::Ok, kNoNewVersion, {}},
        {"status true", "{\"status\":true}", Answer::Ok, kNoNewVersion, {}},
        {"no status", "{\"url\":\"http://x/\"}", Answer::Ok, kNoNewVersion, {}},
        {"an array", "[1]", Answer::Ok, kNoNewVersion, {}},
        {"empty body", "", Answer::Ok, kNetworkTrouble, {}},
        {"null", "null", Answer::Ok, kNetworkTrouble, {}},
        {"not strict JSON", "{status:1,url:'http://x/'}", Answer::Ok, kNetworkTrouble, {}},
        {"an HTML error page", "<html><body>502</body></html>", Answer::Ok, kNetworkTrouble, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs;
        if (c.answer == Answer::Ok) dialogs.AnswerOk();
        if (c.answer == Answer::Cancel) dialogs.AnswerCancel();
        service_.AnswerBody(c.body);
        RunCheck();

        const std::vector<ScriptedDialogs::Call> calls = dialogs.calls();
        ASSERT_EQ(1u, calls.size());
        EXPECT_EQ(c.message, calls[0].text);
        EXPECT_EQ(kInfoCaption, calls[0].caption);
        EXPECT_EQ(c.message == std::string(kNewVersion) ? MessageButtons::OkCancel : MessageButtons::Ok,
                  calls[0].buttons);
        EXPECT_FALSE(calls[0].followActiveDuringCall) << "docking pauses while the box is up";
        EXPECT_EQ(c.opened, dialogs.OpenedTargets());
        for (const ScriptedDialogs::Opened& open : dialogs.opened())
            EXPECT_FALSE(open.followActiveDuringCall);
        EXPECT_TRUE(followActive) << "docking resumes when the check ends";
    }
}

TEST_F(UpdateCheckTest, UnreachableOrSilentServiceIsANetworkProblem) {
    {
        ScriptedDialogs dialogs;
        dialogs.AnswerOk();
        service_.AnswerNothing();
        RunCheck();
        EXPECT_EQ(std::vector<std::string>{kNetworkTrouble}, dialogs.MessageTexts());
    }
    ServiceHostOverride closed("127.0.0.1:" + std::to_string(ClosedLocalPort()));
    ScriptedDialogs dialogs;
    dialogs.AnswerOk();
    RunCheck();
    EXPECT_EQ(std::vector<std::string>{kNetworkTrouble}, dialogs.MessageTexts());
    EXPECT_TRUE(followActive);
}

// Forged replies that hold a script. Each form comes twice: with a script that creates a file (the
// script control's safe subset refuses its object, so these guard that layer), and with one that the
// safe subset allows, which makes "status" 1 and names a page: only the strict JSON check keeps that
// one from offering a download. Some forms are plain JSON only to a reader that takes a byte other
// than the system's conversion does: "€" (80) and U+F8F5 (FF) are one byte each, so the quote after
// them ends the string and the script follows as a second value of the expression.
TEST_F(UpdateCheckTest, ScriptInAReplyNeverRuns) {
    TempWorkingDirectory directory;
    const std::string path = directory.File("created-by-reply.txt");
    // A script giving 1 that creates a file, as JavaScript source, with the path's backslashes escaped
    // `times` times.
    const auto fileScript = [&path](int times) {
        std::string escaped;
        for (char c : path)
            escaped += c == '\\' ? std::string(size_t{1} << times, '\\') : std::string(1, c);
        return "(function(){new ActiveXObject('Scripting.FileSystemObject').CreateTextFile('" + escaped +
               "').Close();return 1})()";
    };
    const struct {
        const char* name;
        std::string script;  // as code
        std::string quoted;  // inside a JSON string
    } scripts[] = {
        {"creating a file", fileScript(1), fileScript(2)},
        {"computing only", "(function(){return 1})()", "(function(){return 1})()"},
    };
    for (const auto& s : scripts) {
        const std::string program = "{status:" + s.script + ",url:'http://x/'}";
        const struct {
            const char* name;
            std::string body;
            const char* message;
        } cases[] = {
            {"a script as a member", "{\"status\":" + s.script + ",\"url\":\"http://x/\"}", kNetworkTrouble},
            // A string is a value of its own, never code to evaluate: it has no status.
            {"a string holding a script", "\"" + s.quoted + "\"", kNoNewVersion},
            {"after 80 (the euro sign)", "[\"\x80\"]," + program + "//\"]\n", kNetworkTrouble},
            {"after FF (U+F8F5)", "[\"\xFF\"]," + program + "//\"]\n", kNetworkTrouble},
            // 81 22 is one character: what follows is the rest of the string, and plain JSON.
            {"after a lead byte with a quote", "[\"\x81\"]," + program + "//\"]\n", kNoNewVersion},
            {"after a lead byte at the end", "[\"\x81\"]," + program + "//\x81", kNetworkTrouble},
            {"after FE 5C (a backslash as trail byte)", "[\"\xFE\\\"]," + program + "//\"]\n", kNetworkTrouble},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", a script " + s.name);
            ScriptedDialogs dialogs;
            dialogs.AnswerOk();
            service_.AnswerBody(c.body);
            RunCheck();
            EXPECT_EQ(std::vector<std::string>{c.message}, dialogs.MessageTexts());
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str())) << "the reply's script ran";
            EXPECT_TRUE(dialogs.OpenedTargets().empty());
            DeleteFileA(path.c_str());  // each case on its own
        }
    }
}

TEST_F(UpdateCheckTest, OverlappingChecksEachAskOnce) {
    ScriptedDialogs dialogs;
    for (int i = 0; i < 3; ++i) {
        dialogs.AnswerOk();
        service_.AnswerBody("{\"status\":2}");
    }
    CheckForUpdate();
    CheckForUpdate();
    CheckForUpdate();
    ASSERT_TRUE(WaitForUpdateChecks(kCheckTimeoutMs));
    EXPECT_EQ(3u, service_.requests().size());
    EXPECT_EQ((std::vector<std::string>{kNoNewVersion, kNoNewVersion, kNoNewVersion}), dialogs.MessageTexts());
}

}  // namespace
