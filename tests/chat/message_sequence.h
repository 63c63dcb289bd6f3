#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/chat/sim_protocol.h"

// One message as a simulated chat-client window received it.
struct RecordedMessage {
    UINT message;
    uint64_t wParam;
    uint64_t lParam;
    int64_t microseconds;  // when it was received (see NowMicroseconds)
};

// Flags of an expected message.
enum ExpectFlags : unsigned {
    kExact = 0,
    kOptional = 1,   // the platform may or may not add it
    kAnyWParam = 2,  // wParam is not compared
    kAnyLParam = 4,  // lParam is not compared
};

struct ExpectedMessage {
    UINT message;
    uint64_t wParam;
    uint64_t lParam;
    unsigned flags;
};

// The lParam a window receives for a 32-bit value posted as lParam (sign-extended on 64-bit builds).
inline uint64_t LParamBits(int32_t value) {
    return static_cast<uint64_t>(static_cast<LPARAM>(value));
}

// Messages the system sends or posts on its own (painting, activation, focus, IME, hit testing,
// cursor shape, size and position notices). A sequence check drops them from what was received
// unless the expected table names that message.
bool IsPlatformMessage(UINT message);

// Compares what a window received with a table of expected messages, in order: optional rows may be
// missing, platform messages (above) are ignored unless the table names them, anything else extra
// or missing fails. On failure the message lists both sequences.
testing::AssertionResult MatchesSequence(const std::vector<RecordedMessage>& received,
                                         const std::vector<ExpectedMessage>& expected);

// "WM_CHAR" and the like for the messages the tests meet, hexadecimal otherwise.
std::string MessageName(UINT message);
