#pragma once

// Every kind of handle the program owns, each released exactly once on every path out of the scope
// that holds it: kernel objects, windows, window-event hooks, global memory and its lock, the
// clipboard, WinINet handles, SQLite connections and statements, COM pointers and COM initialisation,
// the CryptoAPI context and hash, VARIANT and BSTR.

#include <windows.h>
#include <wincrypt.h>
#include <wininet.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <memory>
#include <string>
#include <type_traits>

// Kernel objects (file, thread, event, timer, process, pipe).
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

// A window the holder created and destroys.
struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer<HWND>::type, WindowDestroyer>;

// A hook on the window events of other programs (SetWinEventHook), unhooked when the holder goes.
struct WinEventUnhooker {
    void operator()(HWINEVENTHOOK hook) const { UnhookWinEvent(hook); }
};
using UniqueWinEventHook = std::unique_ptr<std::remove_pointer<HWINEVENTHOOK>::type, WinEventUnhooker>;

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

// WinINet sessions, connections and requests.
struct InternetHandleCloser {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<std::remove_pointer_t<HINTERNET>, InternetHandleCloser>;

// SQLite connections and statements. The types are only named here, so that a file without SQLite's
// header can include this one; base/handles.cpp closes them.
struct sqlite3;
struct sqlite3_stmt;
struct SqliteCloser {
    void operator()(sqlite3* db) const;
};
struct SqliteFinalizer {
    void operator()(sqlite3_stmt* statement) const;
};
using SqliteDatabase = std::unique_ptr<sqlite3, SqliteCloser>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteFinalizer>;

// COM interface pointers, released once when the holder goes.
using Microsoft::WRL::ComPtr;

// COM initialised on the calling thread for the life of the object; uninitialised once at the end
// when the initialisation counted (S_OK or S_FALSE), so every CoInitialize has its CoUninitialize.
class ComInitScope {
public:
    ComInitScope() : result_(CoInitialize(nullptr)) {}
    ~ComInitScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComInitScope(const ComInitScope&) = delete;
    ComInitScope& operator=(const ComInitScope&) = delete;

    bool ok() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

// A CryptoAPI handle (an integer, hence not a unique_ptr), released at the end of its scope when set.
template <typename Handle, typename Releaser>
class ScopedCryptHandle {
public:
    ScopedCryptHandle() = default;
    ~ScopedCryptHandle() {
        if (handle_ != 0) Releaser()(handle_);
    }
    ScopedCryptHandle(const ScopedCryptHandle&) = delete;
    ScopedCryptHandle& operator=(const ScopedCryptHandle&) = delete;

    Handle* Receive() { return &handle_; }
    Handle get() const { return handle_; }

private:
    Handle handle_ = 0;
};

struct CryptContextReleaser {
    void operator()(HCRYPTPROV context) const { CryptReleaseContext(context, 0); }
};
struct CryptHashReleaser {
    void operator()(HCRYPTHASH hash) const { CryptDestroyHash(hash); }
};
// A provider context, and a hash made with one.
using CryptContext = ScopedCryptHandle<HCRYPTPROV, CryptContextReleaser>;
using CryptHash = ScopedCryptHandle<HCRYPTHASH, CryptHashReleaser>;

// A VARIANT cleared on every path out of its scope.
class ScopedVariant {
public:
    ScopedVariant() { VariantInit(&value_); }
    ~ScopedVariant() { VariantClear(&value_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;

    VARIANT* get() { return &value_; }

private:
    VARIANT value_;
};

// A BSTR freed at the end of its scope.
class ScopedBstr {
public:
    explicit ScopedBstr(const std::wstring& text)
        : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~ScopedBstr() { SysFreeString(value_); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;

    BSTR get() const { return value_; }

private:
    BSTR value_;
};
