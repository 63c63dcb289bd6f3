#pragma once

#include <windows.h>

#include <string>

// The machine identity sent with the usage report: the row "identify" of table `config`, made on the
// first start as the MD5 digest of the start's local date and time and a random number.

// Sets `machineIdentity` from the stored row, or makes, stores and sets a new one. When the new row
// cannot be stored the identity stays empty for this run, and the next start tries again.
void LoadIdentity();

// The seed of a new identity (net/identity_seed.h) for a time read from the system clock.
std::string IdentitySeedText(const SYSTEMTIME& now, int random);
