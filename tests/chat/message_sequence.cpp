#include "tests/chat/message_sequence.h"

#include <algorithm>
#include <cstdio>

namespace {

struct MessageNameRow {
    UINT message;
    const char* name;
};

const MessageNameRow kNames[] = {
    {WM_MOVE, "WM_MOVE"},
    {WM_SIZE, "WM_SIZE"},
    {WM_ACTIVATE, "WM_ACTIVATE"},
    {WM_SETFOCUS, "WM_SETFOCUS"},
    {WM_KILLFOCUS, "WM_KILLFOCUS"},
    {WM_PAINT, "WM_PAINT"},
    {WM_CLOSE, "WM_CLOSE"},
    {WM_CANCELMODE, "WM_CANCELMODE"},
    {WM_ERASEBKGND, "WM_ERASEBKGND"},
    {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
    {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
    {WM_SETCURSOR, "WM_SETCURSOR"},
    {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
    {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
    {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
    {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
    {WM_GETICON, "WM_GETICON"},
    {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
    {WM_NCHITTEST, "WM_NCHITTEST"},
    {WM_NCPAINT, "WM_NCPAINT"},
    {WM_NCACTIVATE, "WM_NCACTIVATE"},
    {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
    {WM_KEYDOWN, "WM_KEYDOWN"},
    {WM_KEYUP, "WM_KEYUP"},
    {WM_CHAR, "WM_CHAR"},
    {WM_TIMER, "WM_TIMER"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
    {WM_LBUTTONUP, "WM_LBUTTONUP"},
    {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
    {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
    {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
    {WM_IME_SETCONTEXT, "WM_IME_SETCONTEXT"},
    {WM_IME_NOTIFY, "WM_IME_NOTIFY"},
    {WM_PASTE, "WM_PASTE"},
    {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
};

// What the platform adds on its own when windows are shown, moved, activated, clicked for real or
// repainted. None of it is something the program under test posts or sends itself.
const UINT kPlatformMessages[] = {
    WM_MOVE,           WM_SIZE,          WM_ACTIVATE,      WM_SETFOCUS,          WM_KILLFOCUS,
    WM_PAINT,          WM_ERASEBKGND,    WM_SHOWWINDOW,    WM_ACTIVATEAPP,       WM_CANCELMODE,
    WM_SETCURSOR,      WM_MOUSEACTIVATE, WM_GETMINMAXINFO, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED,
    WM_GETICON,        WM_NCCALCSIZE,    WM_NCHITTEST,     WM_NCPAINT,           WM_NCACTIVATE,
    WM_NCMOUSEMOVE,    WM_NCMOUSELEAVE,  WM_MOUSELEAVE,    WM_PARENTNOTIFY,      WM_CAPTURECHANGED,
    WM_SYNCPAINT,      WM_CHILDACTIVATE, WM_GETTEXT,       WM_GETTEXTLENGTH,     WM_GETOBJECT,
    WM_IME_SETCONTEXT, WM_IME_NOTIFY,    WM_IME_REQUEST,   WM_QUERYNEWPALETTE,   WM_DWMNCRENDERINGCHANGED,
};

bool Matches(const RecordedMessage& got, const ExpectedMessage& want) {
    return got.message == want.message && ((want.flags & kAnyWParam) != 0 || got.wParam == want.wParam) &&
           ((want.flags & kAnyLParam) != 0 || got.lParam == want.lParam);
}

std::string Describe(UINT message, uint64_t wParam, uint64_t lParam) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, " wParam 0x%llx lParam 0x%llx", static_cast<unsigned long long>(wParam),
                  static_cast<unsigned long long>(lParam));
    return MessageName(message) + buffer;
}

std::string ListBoth(const std::vector<RecordedMessage>& received, const std::vector<ExpectedMessage>& expected) {
    std::string text = "\n  expected:";
    for (const ExpectedMessage& want : expected) {
        text += "\n    " + Describe(want.message, want.wParam, want.lParam);
        if (want.flags & kOptional) {
            text += " (optional)";
        }
        if (want.flags & kAnyWParam) {
            text += " (any wParam)";
        }
        if (want.flags & kAnyLParam) {
            text += " (any lParam)";
        }
    }
    text += "\n  received (platform messages left out):";
    for (const RecordedMessage& got : received) {
        text += "\n    " + Describe(got.message, got.wParam, got.lParam);
    }
    return text;
}

}  // namespace

bool IsPlatformMessage(UINT message) {
    return std::find(std::begin(kPlatformMessages), std::end(kPlatformMessages), message) !=
           std::end(kPlatformMessages);
}

std::string MessageName(UINT message) {
    for (const MessageNameRow& row : kNames) {
        if (row.message == message) {
            return row.name;
        }
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04x", message);
    return buffer;
}

testing::AssertionResult MatchesSequence(const std::vector<RecordedMessage>& received,
                                         const std::vector<ExpectedMessage>& expected) {
    std::vector<RecordedMessage> relevant;
    for (const RecordedMessage& got : received) {
        const bool named = std::any_of(expected.begin(), expected.end(),
                                       [&got](const ExpectedMessage& want) { return want.message == got.message; });
        if (named || !IsPlatformMessage(got.message)) {
            relevant.push_back(got);
        }
    }
    size_t at = 0;
    for (size_t row = 0; row < expected.size(); ++row) {
        const ExpectedMessage& want = expected[row];
        if (at < relevant.size() && Matches(relevant[at], want)) {
            ++at;
            continue;
        }
        if (want.flags & kOptional) {
            continue;
        }
        return testing::AssertionFailure()
               << "row " << row << " (" << Describe(want.message, want.wParam, want.lParam) << ") "
               << (at < relevant.size() ? "does not match received message " + std::to_string(at)
                                        : std::string("was never received"))
               << ListBoth(relevant, expected);
    }
    if (at < relevant.size()) {
        return testing::AssertionFailure() << "unexpected message " << at << " ("
                                           << Describe(relevant[at].message, relevant[at].wParam, relevant[at].lParam)
                                           << ")" << ListBoth(relevant, expected);
    }
    return testing::AssertionSuccess();
}
