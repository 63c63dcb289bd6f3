#include "chat/other_windows.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/chat/message_sequence.h"
#include "tests/chat/simulated_clients.h"

namespace {

uint64_t Bits(HWND window) {
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(window));
}

TEST(WindowActivationTest, ActivatesAWindowOfAnotherProcess) {
    SimulatedClients clients;
    ASSERT_TRUE(clients.Started());
    HWND first = nullptr;
    HWND second = nullptr;
    ASSERT_TRUE(clients.Open({kQqClass, "first", 100, 100, 300, 200}, &first));
    ASSERT_TRUE(clients.Open({kQqClass, "second", 500, 100, 300, 200}, &second));
    ASSERT_TRUE(clients.BringToFront(second));
    ASSERT_TRUE(clients.ForgetMessages(first));
    ASSERT_TRUE(clients.ForgetMessages(second));

    EXPECT_EQ(second, ActivateWindow(first));  // SetActiveWindow's answer: the window active before

    std::vector<RecordedMessage> got;
    ASSERT_TRUE(clients.TakeMessages(first, &got));
    EXPECT_TRUE(MatchesSequence(got, {{WM_ACTIVATE, WA_ACTIVE, Bits(second), kExact}}));
    ASSERT_TRUE(clients.TakeMessages(second, &got));
    EXPECT_TRUE(MatchesSequence(got, {{WM_ACTIVATE, WA_INACTIVE, Bits(first), kExact}}));
}

}  // namespace
