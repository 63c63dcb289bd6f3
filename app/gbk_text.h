#pragma once

#include <string>
#include <vector>

// Text primitives over the program's GBK byte strings. A byte of 0x80 or above leads a double-byte
// character and takes the next byte with it, so nothing here matches, splits, trims or changes case
// inside such a character, even where its trail byte looks like ASCII ("乗" is 81 5C, a backslash).
// Positions are 1-based and -1 means not found. Case changes and case-insensitive matching touch ASCII
// letters only. The spaces are the ASCII space and the full-width space (A1 A1).

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
