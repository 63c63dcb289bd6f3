#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Owning kernel handle: closed exactly once, on every path out of the scope that holds it.
struct KernelHandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer<HANDLE>::type, KernelHandleCloser>;

// CreateFile reports failure as INVALID_HANDLE_VALUE; this turns it into an empty handle.
inline UniqueHandle AdoptFileHandle(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// Global memory until ownership passes elsewhere (for example to the clipboard) with release().
struct GlobalMemoryFreer {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
using UniqueGlobal = std::unique_ptr<std::remove_pointer<HGLOBAL>::type, GlobalMemoryFreer>;

// Locks a global memory block for the life of the object.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
    ~GlobalLockScope() {
        if (data_ != nullptr) GlobalUnlock(memory_);
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
        if (open_) CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;

    bool IsOpen() const { return open_; }

private:
    bool open_;
};
