#include "net/identity.h"

#include <cstdlib>

#include "state/app_state.h"
#include "net/hash_hex.h"
#include "net/identity_seed.h"

namespace {

const char kIdentityKey[] = "identify";

}  // namespace

std::string IdentitySeedText(const SYSTEMTIME& now, int random) {
    SeedTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    return IdentitySeedText(time, random);
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
