#include "chat/clipboard_text.h"

#include <cstring>

#include "app/win_handles.h"

bool SetClipboardText(const std::string& text) {
    ClipboardScope clipboard(nullptr);
    if (!clipboard.IsOpen()) {
        return false;
    }
    EmptyClipboard();
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1));
    if (!memory) {
        return false;
    }
    {
        GlobalLockScope lock(memory.get());
        if (lock.data() == nullptr) {
            return false;
        }
        std::memcpy(lock.data(), text.c_str(), text.size() + 1);
    }
    if (SetClipboardData(CF_TEXT, memory.get()) == nullptr) {
        return false;  // the block is still ours and is freed here
    }
    memory.release();  // owned by the clipboard from now on
    return true;
}
