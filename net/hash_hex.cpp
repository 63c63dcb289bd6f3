#include "net/hash_hex.h"

#include <climits>
#include <vector>

#include "base/gbk_text.h"
#include "base/handles.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

bool AcquireContext(CryptContext* context) {
    if (CryptAcquireContextA(context->Receive(), nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) {
        return true;
    }
    return CryptAcquireContextA(context->Receive(), nullptr, nullptr, PROV_RSA_FULL, 0) != FALSE;
}

}  // namespace

std::string HashHex(const std::string& data, ALG_ID algorithm, DWORD hashLength) {
    if (data.size() > UINT_MAX) {
        return std::string();
    }
    CryptContext context;
    if (!AcquireContext(&context)) {
        return std::string();
    }
    CryptHash hash;
    if (!CryptCreateHash(context.get(), algorithm, 0, 0, hash.Receive())) {
        return std::string();
    }
    if (!CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()), 0)) {
        return std::string();
    }
    std::vector<BYTE> digest(hashLength, 0);
    DWORD length = hashLength;
    if (!CryptGetHashParam(hash.get(), HP_HASHVAL, digest.data(), &length, 0)) {
        return std::string();
    }
    std::string hex;
    for (DWORD i = 0; i < length && i < digest.size(); ++i) {
        hex += kHexDigits[digest[i] >> 4];
        hex += kHexDigits[digest[i] & 0x0F];
    }
    return hex;
}

std::string Md5Hex(const std::string& data, bool keepUpperCase, bool short16) {
    std::string hex = HashHex(data, CALG_MD5, 16);
    if (!keepUpperCase) {
        hex = AsciiLower(hex);
    }
    if (short16) {
        hex = hex.size() > 8 ? hex.substr(8, 16) : std::string();
    }
    return hex;
}
