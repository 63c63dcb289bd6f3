#include "base/text_codec.h"

#include <windows.h>

#include <climits>
#include <cstdint>

namespace {

std::wstring MultiByteToWide(UINT codePage, const std::string& text) {
    if (text.empty() || text.size() > INT_MAX) {
        return std::wstring();
    }
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, &wide[0], needed);
    return wide;
}

std::string WideToMultiByte(UINT codePage, const std::wstring& wide) {
    if (wide.empty() || wide.size() > INT_MAX) {
        return std::string();
    }
    const int length = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return std::string();
    }
    std::string text(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), length, &text[0], needed, nullptr, nullptr);
    return text;
}

}  // namespace

std::wstring AnsiToWide(const std::string& ansi) {
    return MultiByteToWide(CP_ACP, ansi);
}

std::string WideToAnsi(const std::wstring& wide) {
    return WideToMultiByte(CP_ACP, wide);
}

std::wstring Utf8ToWide(const std::string& utf8) {
    return MultiByteToWide(CP_UTF8, utf8);
}

std::string WideToUtf8(const std::wstring& wide) {
    return WideToMultiByte(CP_UTF8, wide);
}

std::string AnsiToUtf8(const std::string& ansi) {
    return WideToUtf8(AnsiToWide(ansi));
}

std::string Utf8ToAnsi(const std::string& utf8) {
    return WideToAnsi(Utf8ToWide(utf8));
}

std::string Utf8ToGbk(const std::string& utf8) {
    return WideToMultiByte(936, Utf8ToWide(utf8));
}

bool Utf8ToWideInto(std::string_view utf8, std::wstring* wide) {
    if (utf8.empty()) {
        wide->clear();
        return true;
    }
    if (utf8.size() > INT_MAX) {
        return false;
    }
    // Every UTF-16 unit comes from at least one byte, so this many units always suffice.
    wide->resize(utf8.size());
    const int length = static_cast<int>(utf8.size());
    const int converted = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, &(*wide)[0], length);
    if (converted <= 0) {
        return false;
    }
    wide->resize(static_cast<size_t>(converted));
    return true;
}

bool WideToAnsiInto(std::wstring_view wide, std::string* ansi) {
    if (wide.empty()) {
        ansi->clear();
        return true;
    }
    if (wide.size() > INT_MAX) {
        return false;
    }
    const int length = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return false;
    }
    ansi->resize(static_cast<size_t>(needed));
    return WideCharToMultiByte(CP_ACP, 0, wide.data(), length, &(*ansi)[0], needed, nullptr, nullptr) == needed;
}

size_t WideToGbkInto(std::wstring_view wide, char* out, size_t capacity, bool* replaced) {
    *replaced = false;
    if (wide.empty()) {
        return 0;
    }
    if (wide.size() > INT_MAX || capacity == 0) {
        return SIZE_MAX;
    }
    BOOL usedDefault = FALSE;
    const int room = capacity > INT_MAX ? INT_MAX : static_cast<int>(capacity);
    const int written =
        WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), out, room, nullptr, &usedDefault);
    if (written <= 0) {
        return SIZE_MAX;
    }
    *replaced = usedDefault != FALSE;
    return static_cast<size_t>(written);
}

std::wstring GbkToWide(const std::string& gbk) {
    return MultiByteToWide(936, gbk);
}
