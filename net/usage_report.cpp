#include "net/usage_report.h"

#include "app/app_state.h"
#include "net/http_request.h"
#include "net/service_hosts.h"

std::string UsageReportAddress(const std::string& identity) {
    return "http://" + ServiceHost() + "/chat.php?cmd=count&identify=" + identity;
}

void ReportUsage() {
    std::string ignored;
    HttpRequest(UsageReportAddress(machineIdentity), HttpOptions(), &ignored);
}
