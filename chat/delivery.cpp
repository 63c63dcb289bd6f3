#include "chat/delivery.h"

#include <windows.h>

#include <deque>
#include <optional>
#include <string>
#include <utility>

#include "state/app_state.h"
#include "base/scope_guard.h"
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

// When a QQ delivery last clicked for real (tick count).
std::optional<DWORD> lastRealClick;
// Beyond the double-click time, so that the system surely counts two clicks as two.
constexpr DWORD kClickPairingMarginMs = 50;

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
    lastRealClick = GetTickCount();
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

// One message on its way: the text of the row as it was when the user asked for it, and the chat
// window docked to at that moment.
struct Delivery {
    std::string text;
    HWND target;
};

void Deliver(const Delivery& delivery) {
    const bool onClipboard = SetClipboardText(delivery.text);
    ChatClient client = ChatClient::kWeChat;
    if (delivery.target == nullptr || !ClientOfTarget(delivery.target, &client)) {
        return;
    }
    switch (client) {
        case ChatClient::kWeChat:
            DeliverToWeChat(delivery.target, delivery.text);
            break;
        case ChatClient::kQq:
            DeliverToQq(delivery.target, onClipboard);
            break;
        case ChatClient::kAliWangWang:
            DeliverToAliWangWang(delivery.target, delivery.text);
            break;
    }
}

// The real click of a QQ delivery lands where the cursor is, which is usually on this message list,
// where the user double-clicked. The next delivery's click at the same place within the double-click
// time would make a double-click there, and so a delivery nobody asked for: a delivery that follows
// one that clicked starts once that time has passed.
void LetRealClickAge() {
    if (!lastRealClick) {
        return;
    }
    const DWORD since = GetTickCount() - *lastRealClick;
    const DWORD apart = GetDoubleClickTime() + kClickPairingMarginMs;
    if (since < apart) {
        WaitResponsive(static_cast<int32_t>(apart - since));
    }
}

// Whether a delivery runs, and those asked for meanwhile, oldest first.
bool delivering = false;
std::deque<Delivery> waitingDeliveries;

}  // namespace

void DeliverMessage() {
    HWND list = mainForm.超级列表框_消息列表;
    const int row = ListSelection(list);
    if (row < 0) {
        return;
    }
    Delivery delivery{ListCell(list, row, kMessageColumn), currentTarget};
    // The waits of a delivery handle window messages, and so the next double-click or Enter too: it
    // waits its turn instead of typing into the middle of the running delivery.
    if (delivering) {
        if (waitingDeliveries.size() < kMaxWaitingDeliveries) {
            waitingDeliveries.push_back(std::move(delivery));
        }
        return;
    }
    delivering = true;
    // A delivery that fails on the way ends the ones waiting behind it too.
    auto done = MakeScopeGuard([] {
        delivering = false;
        waitingDeliveries.clear();
    });
    for (;;) {
        LetRealClickAge();
        if (mainForm.window == nullptr) {
            break;  // nothing more is typed once the window has closed
        }
        Deliver(delivery);
        if (waitingDeliveries.empty()) {
            break;
        }
        delivery = std::move(waitingDeliveries.front());
        waitingDeliveries.pop_front();
    }
}
