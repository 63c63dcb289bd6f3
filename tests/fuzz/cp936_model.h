#pragma once

#include <string>
#include <vector>

// Code page 936 as the system's conversion reads it (MultiByteToWideChar(936) under Wine), for checking
// the program's byte-level text rules against. Characters come from glibc's iconv "CP936"; where
// glibc knows no character (FF, and the user-defined pairs that the system maps into the private use
// area) the model writes "?", which the system also writes for pairs it does not know: for every rule
// checked here both are ordinary characters.

// The UTF-16 text the system makes of `bytes`, one unit per character.
std::u16string Cp936ToUtf16(const std::string& bytes);

// The byte offsets at which the characters of `bytes` start, then bytes.size().
std::vector<size_t> Cp936Boundaries(const std::string& bytes);

bool IsBoundary(const std::vector<size_t>& boundaries, size_t offset);

// The characters of `bytes` as one unit each, distinct for distinct characters, for searching with
// std::u16string: a single byte stands for itself, a pair for lead * 256 + trail. With `foldCase` the
// single-byte letters A to Z stand for a to z. Unit i is the character at Cp936Boundaries(bytes)[i].
std::u16string Cp936Characters(const std::string& bytes, bool foldCase = false);

// UTF-16 to UTF-8; false when the text holds a surrogate.
bool Utf16ToUtf8(const std::u16string& text, std::string* utf8);
