#pragma once

#include <string>

// True when `text` (GBK bytes) is exactly one JSON value with optional white space around it, in the
// strict grammar of RFC 8259: no comments, no single quotes, no bare names, no trailing commas, no
// expressions. Double-byte characters may appear inside strings. Nesting deeper than 512 levels is
// refused. The JSON accessor lets only such texts reach its script engine.
bool IsStrictJson(const std::string& text);
