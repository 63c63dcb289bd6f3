#include "net/web_links.h"

#include <string>

#include "state/app_state.h"
#include "net/service_hosts.h"
#include "ui/dialogs.h"

namespace {

void OpenLink(const std::string& address) {
    auto pause = PauseFollowActive();
    Dialogs().OpenInShell(address);
}

}  // namespace

void OpenAboutPage() {
    OpenLink("https://" + WebsiteHost() + "/index/article/look.html?id=55");
}

void OpenCuriousPage() {
    OpenLink("http://" + WebsiteHost() + "/curious.html");
}

void OpenContactLink() {
    OpenLink(ContactLink());
}
