#include "net/identity.h"

#include <cstdio>
#include <cstdlib>

#include "app/app_state.h"
#include "net/hash_hex.h"

namespace {

const char kIdentityKey[] = "identify";

}  // namespace

std::string IdentitySeedText(const SYSTEMTIME& now, int random) {
    char text[128];
    int length = std::snprintf(text, sizeof text, "%d年%d月%d日", now.wYear, now.wMonth, now.wDay);
    if (length < 0) {
        return std::string();
    }
    const size_t rest = sizeof text - static_cast<size_t>(length);
    int timeLength = 0;
    if (now.wSecond != 0) {
        timeLength = std::snprintf(text + length, rest, "%d时%d分%d秒", now.wHour, now.wMinute, now.wSecond);
    } else if (now.wMinute != 0) {
        timeLength = std::snprintf(text + length, rest, "%d时%d分", now.wHour, now.wMinute);
    } else if (now.wHour != 0) {
        timeLength = std::snprintf(text + length, rest, "%d时", now.wHour);
    }
    if (timeLength < 0) {
        return std::string();
    }
    return std::string(text, static_cast<size_t>(length + timeLength)) + std::to_string(random);
}

void LoadIdentity() {
    ConfigRow stored;
    if (configTable->Get(kIdentityKey, &stored)) {
        machineIdentity = stored.value;  // taken as it is, even when empty or not hex
        return;
    }
    machineIdentity.clear();
    std::srand(GetTickCount());
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string identity = Md5Hex(IdentitySeedText(now, std::rand() % 1000 + 1));
    if (configTable->Insert(ConfigRow{kIdentityKey, identity})) {
        machineIdentity = identity;
    }
}
