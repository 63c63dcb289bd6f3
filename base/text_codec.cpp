#include "base/text_codec.h"

#include <windows.h>

#include <climits>

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

std::wstring GbkToWide(const std::string& gbk) {
    return MultiByteToWide(936, gbk);
}
