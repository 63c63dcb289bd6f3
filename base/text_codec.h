#pragma once

#include <string>
#include <string_view>

// Every text of the program is a byte string in the ANSI code page (GBK, 936). These are the only
// conversions to and from the other encodings it meets: UTF-8 (chat.db, import files) and UTF-16
// (the wide Win32 interfaces such as dialog templates). Lengths are explicit, so embedded zero bytes
// survive, and there is no size limit.
std::wstring AnsiToWide(const std::string& ansi);
std::string WideToAnsi(const std::wstring& wide);
std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);

std::string AnsiToUtf8(const std::string& ansi);
std::string Utf8ToAnsi(const std::string& utf8);

// UTF-8 to code page 936 (GBK) whatever the system's code page, for import files. Invalid UTF-8
// decodes the way the system decoder does without its strict flag; characters GBK cannot hold become
// its default character.
std::string Utf8ToGbk(const std::string& utf8);
// The same two steps for one piece of a text at a time, reusing the caller's memory. Utf8ToWideInto
// puts the UTF-16 form of `utf8` into *wide (false when it cannot). WideToGbkInto writes the GBK form
// of `wide` into `out` and returns its length, or SIZE_MAX when it does not fit in `capacity` bytes;
// *replaced tells whether a character had no GBK form and became the default character.
bool Utf8ToWideInto(std::string_view utf8, std::wstring* wide);
// The ANSI form of `wide` in *ansi, reusing its memory; false when it cannot be converted.
bool WideToAnsiInto(std::wstring_view wide, std::string* ansi);
size_t WideToGbkInto(std::wstring_view wide, char* out, size_t capacity, bool* replaced);
// Code page 936 (GBK) to UTF-16 whatever the system's code page, for the clipboard.
std::wstring GbkToWide(const std::string& gbk);
