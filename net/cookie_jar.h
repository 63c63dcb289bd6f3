#pragma once

#include <string>

// The HTTP client's cookie jar: plain text of name=value pairs separated by "; ".

// The first name=value pair of every "Set-Cookie" line of a raw response-header block, joined by "; ".
std::string CollectSetCookies(const std::string& responseHeaders);

// The jar after a response: the new cookies first, then the old ones whose names the new ones do not
// carry; a cookie set to "deleted" is dropped and repeats are removed. Both arguments lose their
// spaces, and `oldJar` ends up holding the result as well.
std::string MergeCookies(std::string* oldJar, std::string* newCookies);
