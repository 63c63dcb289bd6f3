#pragma once

#include <string>

// Where the online services go. The three values are fixed when the program is configured.

// Host (and optionally ":port") of the service that answers the version check and the usage report.
std::string ServiceHost();
// Host of the maker's web site, which serves the "关于软件" and "随意看看" pages.
std::string WebsiteHost();
// The author's contact link, a full address.
std::string ContactLink();

// Sends the service requests to `host` instead (a local test service); returns the host it replaces.
// Only tests call this.
std::string SetServiceHostForTesting(const std::string& host);
