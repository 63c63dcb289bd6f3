#pragma once

#include <windows.h>
#include <wincrypt.h>

#include <string>

// Digests through CryptoAPI, written as hexadecimal text.

// The `algorithm` digest of `data` (`hashLength` bytes) in upper-case hex; "" when any step fails.
std::string HashHex(const std::string& data, ALG_ID algorithm, DWORD hashLength);

// The MD5 digest of `data` in lower-case hex (upper case with `keepUpperCase`); `short16` keeps the 16
// characters from the 9th on.
std::string Md5Hex(const std::string& data, bool keepUpperCase = false, bool short16 = false);
