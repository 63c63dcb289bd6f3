#include "tests/chat/client_sim/shown_text.h"

#include <cstring>
#include <map>

#include "base/handles.h"

namespace {

struct ShownText {
    std::vector<std::string> sent;
    std::string typing;
};

std::map<HWND, ShownText> shown;

constexpr int kInputHeight = 120;
constexpr int kMargin = 12;
constexpr COLORREF kChatBackground = RGB(245, 245, 245);
constexpr COLORREF kSentBubble = RGB(149, 236, 105);

// The clipboard's CF_TEXT up to its terminating zero; empty when there is none or it is held.
std::string ClipboardText(HWND window) {
    ClipboardScope clipboard(window);
    if (!clipboard.IsOpen()) {
        return std::string();
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr) {
        return std::string();
    }
    GlobalLockScope lock(data);
    if (lock.data() == nullptr) {
        return std::string();
    }
    const char* bytes = static_cast<const char*>(lock.data());
    return std::string(bytes, strnlen(bytes, GlobalSize(data)));
}

void Fill(HDC dc, const RECT& area, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

}  // namespace

void NoteShownInput(HWND window, UINT message, WPARAM wParam) {
    if (message == WM_NCDESTROY) {
        shown.erase(window);
        return;
    }
    if (message == WM_CHAR) {
        shown[window].typing += static_cast<char>(wParam);  // one byte of GBK text per WM_CHAR
    } else if (message == WM_PASTE) {
        shown[window].typing += ClipboardText(window);
    } else if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        ShownText& text = shown[window];
        if (text.typing.empty()) {
            return;
        }
        text.sent.push_back(text.typing);
        text.typing.clear();
    } else {
        return;
    }
    InvalidateRect(window, nullptr, TRUE);
}

std::vector<std::string> SentTexts(HWND window) {
    const auto found = shown.find(window);
    return found == shown.end() ? std::vector<std::string>() : found->second.sent;
}

void PaintShownText(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    RECT chat = client;
    chat.bottom = client.bottom > kInputHeight ? client.bottom - kInputHeight : 0;
    RECT input = client;
    input.top = chat.bottom;
    Fill(dc, chat, kChatBackground);
    Fill(dc, input, RGB(255, 255, 255));
    MoveToEx(dc, 0, input.top, nullptr);
    LineTo(dc, client.right, input.top);

    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    const ShownText& text = shown[window];
    RECT typing = {input.left + kMargin, input.top + kMargin, input.right - kMargin, input.bottom - kMargin};
    DrawTextA(dc, text.typing.c_str(), -1, &typing, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);

    // Sent messages as bubbles against the right edge, from the newest upwards.
    const int maxWidth = (client.right - client.left) * 2 / 3;
    int bottom = chat.bottom - kMargin;
    for (auto it = text.sent.rbegin(); it != text.sent.rend() && bottom > chat.top; ++it) {
        RECT size = {0, 0, maxWidth, 0};
        DrawTextA(dc, it->c_str(), -1, &size, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
        RECT bubble = {client.right - kMargin - size.right - 2 * kMargin, bottom - size.bottom - kMargin,
                       client.right - kMargin, bottom};
        HBRUSH brush = CreateSolidBrush(kSentBubble);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        RoundRect(dc, bubble.left, bubble.top, bubble.right, bubble.bottom, 8, 8);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
        RECT inside = {bubble.left + kMargin, bubble.top + kMargin / 2, bubble.right - kMargin, bubble.bottom};
        DrawTextA(dc, it->c_str(), -1, &inside, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
        bottom = bubble.top - kMargin;
    }
    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
}
