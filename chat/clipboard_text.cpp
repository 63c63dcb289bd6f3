#include "chat/clipboard_text.h"

#include <windows.h>

#include <cstring>
#include <optional>

#include "base/handles.h"
#include "base/text_codec.h"
#include "chat/waiting.h"

namespace {

// Another program (a clipboard manager, a remote-desktop client) often holds the clipboard open for
// a moment: opening it is tried again for this long, with a pause between tries that handles the
// window's messages, before the clipboard step is given up.
constexpr DWORD kClipboardBusyMs = 1000;
constexpr int32_t kClipboardRetryMs = 20;

// Hands `size` bytes to the clipboard (open and emptied by the caller) as `format`.
bool PutClipboardData(UINT format, const void* bytes, size_t size) {
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    if (!memory) {
        return false;
    }
    {
        GlobalLockScope lock(memory.get());
        if (lock.data() == nullptr) {
            return false;
        }
        std::memcpy(lock.data(), bytes, size);
    }
    if (SetClipboardData(format, memory.get()) == nullptr) {
        return false;  // the block is still ours and is freed here
    }
    memory.release();  // owned by the clipboard from now on
    return true;
}

}  // namespace

bool SetClipboardText(const std::string& text) {
    const DWORD start = GetTickCount();
    std::optional<ClipboardScope> clipboard(std::in_place, nullptr);
    while (!clipboard->IsOpen()) {
        if (GetTickCount() - start >= kClipboardBusyMs) {
            return false;
        }
        WaitResponsive(kClipboardRetryMs);
        clipboard.emplace(nullptr);
    }
    EmptyClipboard();
    if (!PutClipboardData(CF_TEXT, text.c_str(), text.size() + 1)) {
        return false;
    }
    // A program that takes one of these instead of CF_TEXT still sees the same characters; the text
    // is on the clipboard whether or not they are accepted.
    const std::wstring wide = GbkToWide(text);
    PutClipboardData(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    const LCID locale = kClipboardTextLocale;
    PutClipboardData(CF_LOCALE, &locale, sizeof locale);
    return true;
}
