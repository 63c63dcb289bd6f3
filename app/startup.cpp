#include "app/startup.h"

#include "app/app_state.h"
#include "net/identity.h"
#include "net/usage_report.h"
#include "store/store_schema.h"
#include "ui/main_window.h"

namespace {

// Runs CleanupAtExit when StartUp leaves, whichever way it leaves.
class CleanupAtExitScope {
public:
    CleanupAtExitScope() = default;
    CleanupAtExitScope(const CleanupAtExitScope&) = delete;
    CleanupAtExitScope& operator=(const CleanupAtExitScope&) = delete;
    ~CleanupAtExitScope() { CleanupAtExit(); }
};

void RunEventLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int StartUp(HINSTANCE instance) {
    InitGlobals();
    CleanupAtExitScope cleanup;
    if (CreateMainWindow(instance, OnWindowCreated) == nullptr) {
        return 0;
    }
    RunEventLoop();
    return 0;
}

void InitGlobals() {
    chatTargets.clear();
    categoryTable = std::make_unique<CategoryTable>();
    messageTable = std::make_unique<MessageTable>();
    configTable = std::make_unique<ConfigTable>();
}

void OnWindowCreated(HWND window) {
    EnsureSchema();
    followActive = true;
    currentTabIndex = 0;
    lastPickedRow = -1;
    versionText = kVersionText;
    pullChatWindow = false;
    SetMainWindowCaption(window, MainWindowCaption(window) + " " + versionText);
    LoadIdentity();
    // Waits for the service's answer (or the failure) before the window takes any input.
    ReportUsage();
}

void CleanupAtExit() {
    chatTargets.clear();
    chatTargets.shrink_to_fit();
    categoryTable.reset();
    messageTable.reset();
    versionText.clear();
    machineIdentity.clear();
    configTable.reset();
}
