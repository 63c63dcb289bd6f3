#pragma once

#include <string>

// The request-header block of the HTTP client, built before anything is sent. Header lines are
// separated by CR LF, with none after the last line.

extern const char kDefaultUserAgent[];

// The user agent for a request with the caller's extra header lines: the value of their "User-Agent:"
// line, the default agent when there is none.
std::string ChooseUserAgent(const std::string& extraHeaders);

// Each header name with the first letter of every dash-separated word in upper case (the other
// letters keep their case); lines without ":" are dropped.
std::string CapitalizeHeaderNames(const std::string& headers);

struct RequestHeaderArgs {
    std::string url;  // the address exactly as the caller gave it (for Referer)
    int method = 0;   // index into the method table, already clamped
    bool completeHeaders = true;
    bool capitalizeHeaderNames = true;
    std::string sendCookies;  // empty: no Cookie line
};

// The header block as sent: the caller's lines, completed with the default lines they lack, names
// capitalised, and the cookies last.
std::string BuildRequestHeaders(const std::string& extraHeaders, const RequestHeaderArgs& args);
