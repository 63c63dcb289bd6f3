#include "tests/chat/chat_form_fixture.h"

#include <commctrl.h>

#include "state/app_state.h"
#include "chat/input_lparam.h"
#include "ui/main_form.h"
#include "ui/window_layer.h"

const char kWeChatTitleGbk[] = "\xCE\xA2\xD0\xC5";
const char kAliWangWangTitleGbk[] = "\xB0\xA2\xC0\xEF\xCD\xFA\xCD\xFA";
const char kBuyerTitleGbk[] = "\xC2\xF2\xBC\xD2";
const char kOtherClass[] = "SimNotAChat";

namespace {

constexpr DWORD kTickTimeoutMs = 1000;

// Off every window the tests open, so that no real mouse move reaches a recorded window.
constexpr int kCursorParkX = 1275;
constexpr int kCursorParkY = 1019;

void Notify(HWND list, UINT_PTR id, UINT code) {
    NMHDR header = {list, id, code};
    SendMessageA(mainForm.window, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}

}  // namespace

void ChatFormTest::SetUp() {
    ASSERT_TRUE(clients_.Started());
    SetCursorPos(kCursorParkX, kCursorParkY);
}

void ChatFormTest::TearDown() {
    FormTest::TearDown();
    currentTarget = nullptr;
    inputBoxWindow = nullptr;
}

HWND ChatFormTest::OpenWindow(const std::string& className,
                              const std::string& title,
                              int32_t x,
                              int32_t y,
                              int32_t width,
                              int32_t height) {
    SimWindow window;
    window.className = className;
    window.title = title;
    window.x = x;
    window.y = y;
    window.width = width;
    window.height = height;
    HWND handle = nullptr;
    EXPECT_TRUE(clients_.Open(window, &handle)) << className;
    return handle;
}

bool ChatFormTest::RunOneTick() {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTickTimeoutMs) {
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        const bool tick =
            message.message == WM_TIMER && message.hwnd == mainForm.window && message.wParam == kId时钟_定期执行;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (tick) {
            return true;
        }
    }
    return false;
}

void ChatFormTest::DockTo(HWND chat) {
    ASSERT_TRUE(clients_.BringToFront(chat));
    ASSERT_TRUE(RunOneTick());
    ASSERT_EQ(chat, currentTarget);
}

void ChatFormTest::PickRow(int row) {
    ListSelect(mainForm.超级列表框_进程列表, row);
    Notify(mainForm.超级列表框_进程列表, kId超级列表框_进程列表, static_cast<UINT>(NM_CLICK));
}

void ChatFormTest::DoubleClickRow(int row) {
    SelectRow(row);
    Notify(mainForm.超级列表框_消息列表, kId超级列表框_消息列表, static_cast<UINT>(NM_DBLCLK));
}

std::vector<RecordedMessage> ChatFormTest::Received(HWND window) {
    std::vector<RecordedMessage> messages;
    EXPECT_TRUE(clients_.TakeMessages(window, &messages));
    return messages;
}

std::string ChatFormTest::ClipboardText() {
    std::string text;
    EXPECT_TRUE(clients_.ReadClipboardText(&text));
    return text;
}

WindowBox BoxOf(HWND window) {
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    return WindowBox{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

bool IsAbove(HWND upper, HWND lower) {
    for (HWND below = GetWindow(upper, GW_HWNDNEXT); below != nullptr; below = GetWindow(below, GW_HWNDNEXT)) {
        if (below == lower) {
            return true;
        }
    }
    return false;
}

namespace {

std::vector<HWND> TopLevelZOrder() {
    std::vector<HWND> windows;
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        windows.push_back(window);
    }
    return windows;
}

}  // namespace

void WaitForSteadyZOrder() {
    constexpr DWORD kSteadyMs = 150;
    constexpr DWORD kGiveUpMs = 2000;
    const DWORD start = GetTickCount();
    std::vector<HWND> seen = TopLevelZOrder();
    DWORD steadySince = start;
    while (GetTickCount() - steadySince < kSteadyMs && GetTickCount() - start < kGiveUpMs) {
        Sleep(10);
        std::vector<HWND> now = TopLevelZOrder();
        if (now != seen) {
            seen.swap(now);
            steadySince = GetTickCount();
        }
    }
}

FormTest::Rows ProcessRows() {
    FormTest::Rows rows;
    HWND list = mainForm.超级列表框_进程列表;
    for (int i = 0; i < ListRowCount(list); ++i)
        rows.push_back({ListCell(list, i, 0), ListCell(list, i, 1)});
    return rows;
}

std::vector<ExpectedMessage> PostedClickAt(int32_t x, int32_t y) {
    const uint64_t point = LParamBits(ClientPointLParam(x, y));
    return {
        {WM_MOUSEMOVE, MK_RBUTTON, point, kExact},
        {WM_LBUTTONDOWN, MK_LBUTTON, point, kExact},
        {WM_LBUTTONUP, 0, point, kExact},
    };
}

std::vector<ExpectedMessage> CharsOf(const std::string& bytes) {
    std::vector<ExpectedMessage> expected;
    for (unsigned char byte : bytes) {
        expected.push_back({WM_CHAR, byte, 0, kExact});
    }
    return expected;
}

std::vector<ExpectedMessage> Then(std::vector<ExpectedMessage> first, const std::vector<ExpectedMessage>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}
