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
