#pragma once

#include <windows.h>

#include <string>

// The machine identity sent with the usage report: the row "identify" of table `config`, made on the
// first start as the MD5 digest of the start's local date and time and a random number.

// Sets `machineIdentity` from the stored row, or makes, stores and sets a new one. When the new row
// cannot be stored the identity stays empty for this run, and the next start tries again.
void LoadIdentity();

// The seed of a new identity: "%d年%d月%d日", then the time down to its last non-zero part ("%d时%d分%d秒",
// "%d时%d分" or "%d时"; nothing at midnight), then `random` (1 to 1000) in decimal.
std::string IdentitySeedText(const SYSTEMTIME& now, int random);
