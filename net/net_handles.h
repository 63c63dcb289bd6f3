#pragma once

#include <windows.h>
#include <wincrypt.h>
#include <wininet.h>
#include <oleauto.h>

#include <memory>
#include <string>
#include <type_traits>

// Owning handles for the online services: each handle is closed exactly once, on every path out of
// the scope that holds it.

struct InternetHandleCloser {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<std::remove_pointer_t<HINTERNET>, InternetHandleCloser>;

// A CryptoAPI provider context (an integer handle, hence not a unique_ptr).
class CryptContext {
public:
    CryptContext() = default;
    ~CryptContext() {
        if (handle_ != 0) CryptReleaseContext(handle_, 0);
    }
    CryptContext(const CryptContext&) = delete;
    CryptContext& operator=(const CryptContext&) = delete;

    HCRYPTPROV* Receive() { return &handle_; }
    HCRYPTPROV get() const { return handle_; }

private:
    HCRYPTPROV handle_ = 0;
};

class CryptHash {
public:
    CryptHash() = default;
    ~CryptHash() {
        if (handle_ != 0) CryptDestroyHash(handle_);
    }
    CryptHash(const CryptHash&) = delete;
    CryptHash& operator=(const CryptHash&) = delete;

    HCRYPTHASH* Receive() { return &handle_; }
    HCRYPTHASH get() const { return handle_; }

private:
    HCRYPTHASH handle_ = 0;
};

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

struct KernelHandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// A kernel object handle (thread, event, file) closed at the end of its scope.
using KernelHandle = std::unique_ptr<void, KernelHandleCloser>;
