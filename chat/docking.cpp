#include "chat/docking.h"

#include <windows.h>

#include <cstdint>

#include "state/app_state.h"
#include "base/scope_guard.h"
#include "chat/chat_clients.h"
#include "chat/chat_targets.h"
#include "chat/dock_placement.h"
#include "chat/other_windows.h"
#include "chat/window_number.h"
#include "ui/main_form.h"
#include "ui/window_layer.h"

namespace {

// How long the tool stays topmost while it is lifted above the chat window.
constexpr DWORD kLiftMs = 1;

void ShowTool(HWND tool) {
    SetShown(tool, true);
    ShowNormalIfVisible(tool);
}

// Raises the tool above the chat window without leaving it topmost.
void LiftTool(HWND tool) {
    SetAlwaysOnTop(tool, true);
    Sleep(kLiftMs);
    SetAlwaysOnTop(tool, false);
}

// The work area (the screen without the taskbar) of a monitor; false when it cannot be read.
bool WorkAreaOfMonitor(HMONITOR monitor, WindowBox* area) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !GetMonitorInfoA(monitor, &info)) {
        return false;
    }
    *area = BoxFromEdges(info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom);
    return true;
}

// The tool moves against the chat window's right edge, or where it stays on the chat window's monitor.
void FollowChatWindow(HWND tool, HWND chatWindow, ChatClient client) {
    WindowBox chat;
    if (!ReadWindowBox(chatWindow, &chat)) {
        return;  // gone meanwhile: the tool stays, and so does the current target
    }
    ScreenPoint at = FollowPosition(client, chat);
    WindowBox toolBox;
    WindowBox workArea;
    if (ReadWindowBox(tool, &toolBox) &&
        WorkAreaOfMonitor(MonitorFromWindow(chatWindow, MONITOR_DEFAULTTONEAREST), &workArea)) {
        at = FollowPlacement(client, chat, toolBox, workArea);
    }
    MoveWindowTo(tool, at.x, at.y);
    currentTarget = chatWindow;
}

// The chat window moves against the tool's left edge, keeping its size, or where it stays on the
// monitor it is pulled to.
void PullChatWindow(HWND tool, HWND chatWindow, ChatClient client) {
    const WindowBox chat = GetWindowBox(chatWindow);
    WindowBox toolBox;
    if (!ReadWindowBox(tool, &toolBox)) {
        return;
    }
    ScreenPoint at = PullPosition(client, toolBox.left, toolBox.top, chat.width);
    // The monitor that holds the chat window at that place, the nearest one when none does.
    const RECT pulled = {at.x, at.y, at.x + chat.width, at.y + chat.height};
    WindowBox workArea;
    if (WorkAreaOfMonitor(MonitorFromRect(&pulled, MONITOR_DEFAULTTONEAREST), &workArea)) {
        at = PullPlacement(client, toolBox, chat, workArea);
    }
    PlaceWindow(chatWindow, at.x, at.y);
    currentTarget = chatWindow;
}

// The window whose handle the process list shows in that row; null for a row that does not exist.
HWND WindowOfRow(HWND list, int row) {
    return reinterpret_cast<HWND>(WindowNumberFromText(ListCell(list, row, 0)));
}

}  // namespace

void DockStep() {
    HWND tool = mainForm.window;
    if (!followActive || tool == nullptr) {
        return;
    }
    HWND foreground = GetForegroundWindow();
    if (foreground == tool) {
        ShowTool(tool);  // the user works in the tool: the current target stays what it was
        return;
    }
    ChatClient client = ChatClient::kWeChat;
    if (!ClientOfTarget(foreground, &client)) {
        SetShown(tool, false);
        return;
    }
    ShowTool(tool);
    LiftTool(tool);
    if (pullChatWindow) {
        PullChatWindow(tool, foreground, client);
    } else {
        FollowChatWindow(tool, foreground, client);
    }
}

void PickProcessRow() {
    HWND list = mainForm.超级列表框_进程列表;
    const int row = ListSelection(list);
    if (row == lastPickedRow) {
        return;
    }
    // `pullChatWindow` is set while this pick runs the docking step.
    pullChatWindow = true;
    auto pullEnds = MakeScopeGuard([] { pullChatWindow = false; });
    HWND previous = lastPickedRow != -1 ? WindowOfRow(list, lastPickedRow) : nullptr;
    if (previous != nullptr) {
        MinimiseWindow(previous);
    }
    HWND picked = WindowOfRow(list, row);
    // Activating no window at all would take the activation away from the tool itself; activating a
    // window that does not answer would wait on its program.
    if (picked != nullptr && RestoreWindow(picked)) {
        ActivateWindow(picked);
        // Activated through the shared input state, it can end up active but not in front (Wine leaves
        // no foreground window at all once the inputs are detached); the pull below needs it in front.
        if (GetForegroundWindow() != picked) {
            SetForegroundWindow(picked);
        }
    }
    lastPickedRow = ListSelection(list);
    DockStep();
}
