#include "chat/chat_targets.h"

#include <cstddef>
#include <string>

#include "state/app_state.h"
#include "chat/chat_clients.h"
#include "chat/other_windows.h"
#include "chat/waiting.h"
#include "chat/window_number.h"
#include "ui/main_form.h"
#include "ui/window_layer.h"

namespace {

// Room for the class name and the title as read from a window.
constexpr int32_t kTextCapacity = 255;
// Kept on purpose: the value EnumWindows hands to ConsiderWindow, which does not use it. It is passed
// only because EnumWindows takes one; nothing depends on it being 100.
constexpr LPARAM kEnumerationValue = 100;

// Counts the rebuilds, so that a fill interrupted by a rebuild (a listen check box clicked while the
// fill handles messages) notices that its list is gone and leaves the rows to the newer fill.
uint32_t rebuildCount = 0;

ListenedClients ListenedNow() {
    ListenedClients listened;
    listened.weChat = IsChecked(mainForm.选择框_微信);
    listened.qq = IsChecked(mainForm.选择框_QQ);
    listened.aliWangWang = IsChecked(mainForm.选择框_旺旺);
    return listened;
}

std::string TitleOf(HWND window) {
    char title[kTextCapacity] = {};
    const int copied = GetWindowTextA(window, title, kTextCapacity);
    return std::string(title, copied > 0 ? static_cast<size_t>(copied) : 0);
}

}  // namespace

void RebuildTargets() {
    ++rebuildCount;
    chatTargets.clear();
    EnumWindows(ConsiderWindow, kEnumerationValue);
    FillProcessList();
}

BOOL CALLBACK ConsiderWindow(HWND window, LPARAM /*unused*/) {
    const std::string className = GetClassText(window, kTextCapacity);
    const std::string title = TitleOf(window);
    if (AdmitsChatWindow(className, title, ListenedNow())) {
        chatTargets.push_back(ChatTarget{window, className, title});
    }
    return TRUE;
}

void FillProcessList() {
    const uint32_t fill = rebuildCount;
    HWND list = mainForm.超级列表框_进程列表;
    ListClear(list);
    for (size_t i = 0; i < chatTargets.size(); ++i) {
        const ChatTarget& target = chatTargets[i];
        const int row = ListAppendRow(list, WindowNumberText(reinterpret_cast<uintptr_t>(target.window)));
        ListSetCell(list, row, 1, target.title);
        PumpEvents();
        if (fill != rebuildCount) {
            return;  // rebuilt meanwhile: the newer fill has written the whole list
        }
    }
}

bool FindTarget(HWND window, int32_t* position) {
    for (size_t i = 0; i < chatTargets.size(); ++i) {
        if (chatTargets[i].window == window) {
            *position = static_cast<int32_t>(i + 1);
            return true;
        }
    }
    return false;
}

bool ClientOfTarget(HWND window, ChatClient* client) {
    int32_t position = 0;
    return FindTarget(window, &position) &&
           ClientOfClass(chatTargets[static_cast<size_t>(position - 1)].className, client);
}
