#pragma once

#include <windows.h>

#include <memory>

// Owning wrappers for the Win32 resources the program holds: each is released exactly once, on every
// path out of the scope that owns it.

struct KernelHandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};
// A kernel object handle (event, timer, process, thread, pipe, file).
using UniqueHandle = std::unique_ptr<void, KernelHandleCloser>;

struct GlobalMemoryFreer {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
// Global memory until ownership passes elsewhere (for example to the clipboard) with release().
using UniqueGlobal = std::unique_ptr<void, GlobalMemoryFreer>;

// Locks a global memory block for the life of the object.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
    ~GlobalLockScope() {
        if (data_ != nullptr) {
            GlobalUnlock(memory_);
        }
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;

    // Null when the block could not be locked.
    void* data() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

// Holds the clipboard open for the life of the object, when OpenClipboard succeeded.
class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() {
        if (open_) {
            CloseClipboard();
        }
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;

    bool IsOpen() const { return open_; }

private:
    bool open_;
};
