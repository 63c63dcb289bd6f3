#include "net/update_check.h"

#include <memory>

#include "state/app_state.h"
#include "base/handles.h"
#include "net/http_request.h"
#include "net/json_value.h"
#include "net/service_hosts.h"
#include "net/url_parts.h"
#include "ui/dialogs.h"

namespace {

const unsigned kUpdateCheckTimeoutMs = 15000;

// Checks started and not yet ended, for WaitForUpdateChecks.
SRWLOCK runningLock = SRWLOCK_INIT;
CONDITION_VARIABLE runningChanged = CONDITION_VARIABLE_INIT;
int runningChecks = 0;

void CountCheck(int change) {
    AcquireSRWLockExclusive(&runningLock);
    runningChecks += change;
    ReleaseSRWLockExclusive(&runningLock);
    WakeAllConditionVariable(&runningChanged);
}

DWORD WINAPI UpdateCheckThread(LPVOID parameter) {
    const std::unique_ptr<std::string> address(static_cast<std::string*>(parameter));
    try {
        RunUpdateCheck(*address);
    } catch (...) {
        // Nothing leaves the thread: a check that fails on the way has simply ended.
    }
    CountCheck(-1);
    return 0;
}

}  // namespace

std::string UpdateCheckAddress() {
    // The version text carries a space ("v 1.0.0"), which a request line cannot hold as it is.
    return "http://" + ServiceHost() + "/chat.php?cmd=checknew&version=" + EscapeSpaces(versionText);
}

void CheckForUpdate() {
    auto address = std::make_unique<std::string>(UpdateCheckAddress());
    CountCheck(+1);
    UniqueHandle thread(CreateThread(nullptr, 0, UpdateCheckThread, address.get(), 0, nullptr));
    if (thread) {
        address.release();  // the thread owns it now
    } else {
        CountCheck(-1);
    }
}

void RunUpdateCheck(const std::string& address) {
    std::unique_ptr<JsonValue> reply = CreateJsonValue();
    {
        auto pause = PauseFollowActive();
        HttpOptions options;
        options.timeoutMs = kUpdateCheckTimeoutMs;
        std::string body;
        HttpRequest(address, options, &body);
        const std::string text = body.substr(0, body.find('\0'));
        if (!reply->Parse(text)) {
            ShowInfo("当前网络异常,暂时无法检测");
        } else if (reply->GetText("status", false) == "1") {
            if (AskOkCancel("发现新版本,是否前往下载")) {
                // The reply may name any file or program; only a web page is handed to the shell.
                const std::string url = reply->GetText("url", false);
                if (IsWebAddress(url)) {
                    Dialogs().OpenInShell(url);
                }
            }
        } else {
            ShowInfo("没有新版本");
        }
    }
    reply->Destroy();
}

bool WaitForUpdateChecks(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    AcquireSRWLockExclusive(&runningLock);
    bool ended = true;
    while (runningChecks > 0) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline ||
            !SleepConditionVariableSRW(&runningChanged, &runningLock, static_cast<DWORD>(deadline - now), 0)) {
            ended = runningChecks == 0;
            break;
        }
    }
    ReleaseSRWLockExclusive(&runningLock);
    return ended;
}
