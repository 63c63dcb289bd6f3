#include "net/service_hosts.h"

#include <windows.h>

#include "net/service_hosts_config.h"

namespace {

// The update-check threads read the host while a test may be changing it.
SRWLOCK serviceHostLock = SRWLOCK_INIT;
std::string serviceHost = REPLYDOCK_SERVICE_HOST;

}  // namespace

std::string ServiceHost() {
    AcquireSRWLockShared(&serviceHostLock);
    std::string host = serviceHost;
    ReleaseSRWLockShared(&serviceHostLock);
    return host;
}

std::string WebsiteHost() {
    return REPLYDOCK_WEBSITE_HOST;
}

std::string ContactLink() {
    return REPLYDOCK_CONTACT_LINK;
}

std::string SetServiceHostForTesting(const std::string& host) {
    AcquireSRWLockExclusive(&serviceHostLock);
    std::string previous = serviceHost;
    serviceHost = host;
    ReleaseSRWLockExclusive(&serviceHostLock);
    return previous;
}
