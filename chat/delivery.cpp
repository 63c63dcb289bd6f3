#include "chat/delivery.h"

#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "chat/chat_clients.h"
#include "chat/chat_targets.h"
#include "chat/clipboard_text.h"
#include "chat/input_box.h"
#include "chat/other_windows.h"
#include "chat/posted_input.h"
#include "chat/waiting.h"
#include "ui/main_form.h"
#include "ui/window_layer.h"

namespace {

// Column of the message list holding the message text.
constexpr int kMessageColumn = 1;
// Where the WeChat click lands: this far from the right and bottom edges of the whole window.
constexpr int32_t kWeChatClickInset = 30;
// Where the AliWangWang click lands in the input box (client coordinates).
constexpr int32_t kInputBoxClickX = 10;
constexpr int32_t kInputBoxClickY = 30;
constexpr int32_t kAfterClickMs = 100;
constexpr int32_t kWeChatBeforeEnterMs = 50;
constexpr int32_t kBeforeEnterMs = 200;
// How long the tool waits for QQ to take the paste; a QQ that hangs longer gets no Enter.
constexpr UINT kPasteBoundMs = 1000;

bool SendsOnDoubleClick() {
    return IsChecked(mainForm.选择框_双击发送);
}

void DeliverToWeChat(HWND frame, const std::string& text) {
    const WindowBox box = GetWindowBox(frame);
    PostMouse(frame, box.width - kWeChatClickInset, box.height - kWeChatClickInset);
    WaitResponsive(kAfterClickMs);
    // A message cut short is not sent.
    if (!PostText(frame, text) || !SendsOnDoubleClick()) {
        return;
    }
    WaitResponsive(kWeChatBeforeEnterMs);
    PostKey(frame, VK_RETURN);
}

// QQ takes the message from the clipboard. Without it there (the clipboard was busy) a paste would
// insert, and Enter send, whatever the clipboard held before: nothing is pasted then. A paste not
// taken in time fails like any delivery: the message stays on the clipboard, and Enter is not sent.
void DeliverToQq(HWND frame, bool onClipboard) {
    if (!onClipboard) {
        return;
    }
    if (!SendWithin(frame, WM_PASTE, 0, 0, kPasteBoundMs) || !SendsOnDoubleClick()) {
        return;
    }
    ClickAtScreen(nullptr);  // a real click where the cursor is; the cursor stays there
    DelayResponsive(kBeforeEnterMs);
    PostKey(frame, VK_RETURN);
}

// The input box of the AliWangWang frame: the one found before while it is still a window inside this
// frame, otherwise searched for again (the frame may have been closed and opened anew, or another
// frame is in front).
HWND InputBoxOf(HWND frame) {
    if (inputBoxWindow == nullptr || !IsWindow(inputBoxWindow) || !IsChild(frame, inputBoxWindow)) {
        inputBoxWindow = nullptr;
        FindInputBox(frame);
    }
    return inputBoxWindow;
}

void DeliverToAliWangWang(HWND frame, const std::string& text) {
    HWND inputBox = InputBoxOf(frame);
    if (inputBox == nullptr) {
        return;
    }
    PostMouse(inputBox, kInputBoxClickX, kInputBoxClickY);
    // Kept on purpose: two waits of 100 ms after the click, not one. AliWangWang's input box is given
    // this long to take the click before the first character; the delivery to it is defined this way.
    WaitResponsive(kAfterClickMs);
    WaitResponsive(kAfterClickMs);
    if (!PostText(inputBox, text) || !SendsOnDoubleClick()) {
        return;
    }
    DelayResponsive(kBeforeEnterMs);
    PostKey(inputBox, VK_RETURN);
}

}  // namespace

void DeliverMessage() {
    HWND list = mainForm.超级列表框_消息列表;
    const int row = ListSelection(list);
    if (row < 0) {
        return;
    }
    const std::string text = ListCell(list, row, kMessageColumn);
    const bool onClipboard = SetClipboardText(text);
    // The waits below handle window messages, so docking or another double-click may change the
    // shared state meanwhile: this delivery keeps the window it started with.
    HWND target = currentTarget;
    ChatClient client = ChatClient::kWeChat;
    if (target == nullptr || !ClientOfTarget(target, &client)) {
        return;
    }
    switch (client) {
        case ChatClient::kWeChat:
            DeliverToWeChat(target, text);
            break;
        case ChatClient::kQq:
            DeliverToQq(target, onClipboard);
            break;
        case ChatClient::kAliWangWang:
            DeliverToAliWangWang(target, text);
            break;
    }
}
