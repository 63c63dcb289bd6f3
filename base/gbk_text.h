#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text primitives over the program's GBK byte strings. They step from character to character with
// GbkCharLength, so nothing here matches, splits, trims or changes case inside a double-byte character,
// even where its trail byte looks like ASCII ("乗" is 81 5C, a backslash). Positions are 1-based and -1
// means not found. Case changes and case-insensitive matching touch ASCII letters only. The spaces are
// the ASCII space and the full-width space (A1 A1).

// The character boundaries of code page 936, the one rule every text cut of the program follows.
// Bytes 0x81 to 0xFE lead a double-byte character; every other byte is a character of its own, 0x80
// ("€") and 0xFF (U+F8F5) included. A lead byte takes the byte after it as its trail byte whatever that
// byte is, except a zero byte. This is how the system's conversion reads the code page
// (MultiByteToWideChar(936) under Wine): a lead byte with a byte that no character has as its trail
// byte ("\x81\x22") still becomes one character, the default character "?", together with that byte,
// and a lead byte at the end of the text or before a zero byte becomes "?" on its own. The platform's
// documentation says only that a lead byte tells nothing about the validity of its trail byte
// (IsDBCSLeadByteEx). Cutting where the conversion cuts keeps every piece converting to the
// characters it showed inside the whole text.
// Returns the bytes taken by the character that starts at `index` (< text.size()): 1 or 2.
size_t GbkCharLength(std::string_view text, size_t index);

// Position of the first `what` in `text` that starts at or after `start` (0 or 1: from the beginning).
// An empty `what` is never found.
int FindText(const std::string& text, const std::string& what, int start = 1, bool caseInsensitive = false);
// Position of the last `what` in `text`.
int FindLastText(const std::string& text, const std::string& what, bool caseInsensitive = false);
bool ContainsText(const std::string& text, const std::string& what, bool caseInsensitive = false);
bool StartsWithText(const std::string& text, const std::string& prefix, bool caseInsensitive = false);

std::string AsciiLower(const std::string& text);
std::string AsciiUpper(const std::string& text);

// Removes the spaces at both ends.
std::string TrimSpaces(const std::string& text);
// Removes every space.
std::string RemoveSpaces(const std::string& text);

// Every `from` replaced by `to`, scanning left to right; an empty `from` changes nothing.
std::string ReplaceText(const std::string& text,
                        const std::string& from,
                        const std::string& to,
                        bool caseInsensitive = false);

// The pieces between the separators, in order. Empty pieces stay, except the one after a final
// separator: "a;;b;" gives "a", "", "b", and an empty text gives no piece at all.
std::vector<std::string> SplitText(const std::string& text, const std::string& separator);
