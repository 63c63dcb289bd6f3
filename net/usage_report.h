#pragma once

#include <string>

// The usage report: once per start, on the user-interface thread at the end of the window's creation,
// a GET of "/chat.php?cmd=count&identify=" and the machine identity on the service host. It waits for
// the answer, three seconds at most, uses none of it and shows nothing, whatever happens.
void ReportUsage();

// The address the report asks for, with `identity` appended unchanged.
std::string UsageReportAddress(const std::string& identity);
