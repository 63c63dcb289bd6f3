#pragma once

#include <string>

// True when `text` is exactly one JSON value with optional white space around it, in the strict
// grammar of RFC 8259: no comments, no single quotes, no bare names, no trailing commas, no
// expressions. Nesting deeper than 512 levels is refused, and so are U+2028 and U+2029 written
// unescaped inside a string: JSON allows them there, the script engine's JavaScript ends a string at
// them. The text is UTF-16, exactly as the script engine receives it: the JSON accessor converts a
// reply once and hands the engine the same characters it checked.
bool IsStrictJson(const std::u16string& text);
