#include "app/startup.h"

#include <initializer_list>
#include <memory>

#include "state/app_state.h"
#include "app/window_events.h"
#include "base/scope_guard.h"
#include "chat/chat_targets.h"
#include "chat/dock_triggers.h"
#include "chat/docking.h"
#include "chat/waiting.h"
#include "net/identity.h"
#include "net/usage_report.h"
#include "store/store_schema.h"
#include "ui/category_tabs.h"
#include "ui/main_form.h"
#include "ui/main_window.h"
#include "ui/window_layer.h"

namespace {

bool followAtOnce = true;
// The docking step's triggers besides the timer, for the life of the window.
std::unique_ptr<DockTriggers> dockTriggers;

void RunEventLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (PreTranslateMainWindowMessage(&message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int StartUp(HINSTANCE instance) {
    InitGlobals();
    // CleanupAtExit runs when StartUp leaves, whichever way it leaves.
    auto cleanup = MakeScopeGuard(CleanupAtExit);
    // The waits of a delivery handle the window's messages exactly as the event loop does.
    SetEventPreTranslator(PreTranslateMainWindowMessage);
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
    SetWindowEvents(&kMainWindowEvents);
    EnsureSchema();
    // The tool listens to all three clients and a double-click sends, from the first start on.
    for (HWND checkBox : {mainForm.选择框_QQ, mainForm.选择框_微信, mainForm.选择框_双击发送, mainForm.选择框_旺旺}) {
        SetChecked(checkBox, true);
    }
    followActive.Reset();
    FollowAtOnce(followAtOnce);
    currentTabIndex = 0;
    lastPickedRow = -1;
    versionText = kVersionText;
    pullChatWindow = false;
    SetWindowCaption(window, WindowCaption(window) + " " + versionText);
    LoadCategoryTabs();
    RebuildTargets();
    LoadIdentity();
    // Waits for the service's answer (or the failure) before the window takes any input.
    ReportUsage();
}

void FollowAtOnce(bool on) {
    followAtOnce = on;
    dockTriggers.reset();
    if (on && mainForm.window != nullptr) {
        dockTriggers = std::make_unique<DockTriggers>(DockStep);
    }
}

void CleanupAtExit() {
    dockTriggers.reset();
    chatTargets.clear();
    chatTargets.shrink_to_fit();
    categoryTable.reset();
    messageTable.reset();
    versionText.clear();
    machineIdentity.clear();
    configTable.reset();
}
