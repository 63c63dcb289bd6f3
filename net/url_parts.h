#pragma once

#include <string>

// Pieces of an http or https address as the HTTP client needs them. An address without a scheme is
// taken as http.

// The host in lower case, without the port unless `keepPort`.
std::string UrlHost(const std::string& url, bool keepPort = false);
// The port written after the host, else 443 for https and 80 otherwise.
int UrlPort(const std::string& url);
// The request target: the path with its query, in the address's own case; "/" when there is none.
std::string UrlPath(const std::string& url);

// True for a well-formed absolute http or https address (the scheme in any letter case): a host that
// is not empty, an optional port, and nothing but the characters an address may hold unescaped
// (letters, digits, "-._~!$&()*+,;=:@/?", one "#" and "%" escapes of two hexadecimal digits). Spaces,
// quotes, angle brackets, backslashes, control and non-ASCII bytes, and user information before the
// host, make it false. Only such an address is handed to the shell from a network reply.
bool IsWebAddress(const std::string& url);

// The text with each space written as "%20", for a value placed in a request target.
std::string EscapeSpaces(const std::string& text);
