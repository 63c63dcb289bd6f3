#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/pause_counter.h"
#include "base/scope_guard.h"
#include "state/chat_target.h"
#include "store/category_table.h"
#include "store/config_table.h"
#include "store/message_table.h"

// The process-wide state, under the names the rest of the program uses for it. Everything here is
// touched on the user-interface thread only, except `followActive` (also paused and resumed by the
// update-check threads, hence atomic) and `versionText` (copied when a check starts, never changed).

extern std::vector<ChatTarget> chatTargets;  // chat windows found by the last enumeration
extern HWND currentTarget;                   // chat window docked beside last; where delivery goes
extern HWND inputBoxWindow;                  // input box found inside an AliWangWang frame
extern PauseCounter followActive;            // docking runs only while true: no dialog, page or check
extern int32_t currentTabIndex;              // current tab of the category tab control, from 0
extern std::unique_ptr<CategoryTable> categoryTable;
extern std::unique_ptr<MessageTable> messageTable;
extern std::unique_ptr<ConfigTable> configTable;
extern std::string versionText;      // "v 1.0.0" once the window exists
extern int32_t lastPickedRow;        // row of the process list picked last, -1 for none
extern bool pullChatWindow;          // true only while a process-list pick runs the docking step
extern std::string machineIdentity;  // MD5 hex digest sent with the usage report

// The version as it appears in the caption and in the update check.
extern const char kVersionText[];

// Keeps the docking step still while a handler shows a dialog or rebuilds the list: pauses
// `followActive` until the returned guard goes, however the handler leaves. Docking follows again
// only when every pause in progress, on any thread, has ended.
inline auto PauseFollowActive() {
    followActive.Pause();
    return MakeScopeGuard([] { followActive.Resume(); });
}
