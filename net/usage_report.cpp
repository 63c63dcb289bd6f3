#include "net/usage_report.h"

#include "state/app_state.h"
#include "net/http_request.h"
#include "net/service_hosts.h"

std::string UsageReportAddress(const std::string& identity) {
    return "http://" + ServiceHost() + "/chat.php?cmd=count&identify=" + identity;
}

namespace {

// Start-up waits for the report; a service that hangs may hold the window no longer than this.
const unsigned kUsageReportTimeoutMs = 3000;

}  // namespace

void ReportUsage() {
    HttpOptions options;
    options.timeoutMs = kUsageReportTimeoutMs;
    std::string ignored;
    HttpRequest(UsageReportAddress(machineIdentity), options, &ignored);
}
