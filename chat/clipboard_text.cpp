#include "chat/clipboard_text.h"

#include <windows.h>

#include <cstring>

#include "base/handles.h"
#include "base/text_codec.h"

namespace {

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
    ClipboardScope clipboard(nullptr);
    if (!clipboard.IsOpen()) {
        return false;
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
