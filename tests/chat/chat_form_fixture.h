#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "chat/window_box.h"
#include "tests/chat/message_sequence.h"
#include "tests/chat/simulated_clients.h"
#include "tests/ui/form_fixture.h"

// Titles as GBK bytes, independent of the compiler's character set.
extern const char kWeChatTitleGbk[];       // 微信
extern const char kAliWangWangTitleGbk[];  // 阿里旺旺
extern const char kBuyerTitleGbk[];        // 买家
extern const char kOtherClass[];           // a window of no chat client

// How long a hung simulated client stops answering, and the time within which the tool must answer a
// click meanwhile (a tool that waited for the client would take the whole hang).
constexpr DWORD kHangMs = 2500;
constexpr DWORD kAnswerWithinMs = 2000;

// The real main window (started on a chat.db of the test's own) beside the simulated chat clients.
// Events reach the window as the system delivers them: timer ticks through the message queue, clicks
// in the lists as the list's notifications.
class ChatFormTest : public FormTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a shown top-level window in the simulator.
    HWND OpenWindow(const std::string& className,
                    const std::string& title,
                    int32_t x,
                    int32_t y,
                    int32_t width,
                    int32_t height);
    // Handles the window's messages until one tick of its timer has run (true), at most a second.
    bool RunOneTick();
    // Brings the chat window to the front and lets one tick dock the tool beside it.
    void DockTo(HWND chat);
    // The user clicks in the process list with `row` selected (-1: on empty space).
    void PickRow(int row);
    // The user double-clicks in the message list with `row` selected (-1: no row).
    void DoubleClickRow(int row);

    // What `window` received since the last look, after a marker.
    std::vector<RecordedMessage> Received(HWND window);
    std::string ClipboardText();

    HWND tool() const { return window_; }

    SimulatedClients clients_;
};

// Where a window is on the screen, or all zero.
WindowBox BoxOf(HWND window);
// Whether `upper` lies above `lower` in the z-order of the top-level windows.
bool IsAbove(HWND upper, HWND lower);
// Waits (at most two seconds) until the z-order of the top-level windows has stayed the same for a
// while: the simulator's new windows are still being activated and restacked for a moment after they
// open.
void WaitForSteadyZOrder();
// Rows of the process list as (column 0, column 1).
FormTest::Rows ProcessRows();
// A left click at client point (x, y) posted as PostMouse does it, for expected tables.
std::vector<ExpectedMessage> PostedClickAt(int32_t x, int32_t y);
// One WM_CHAR per byte of the GBK text.
std::vector<ExpectedMessage> CharsOf(const std::string& bytes);
// Both tables, one after the other.
std::vector<ExpectedMessage> Then(std::vector<ExpectedMessage> first, const std::vector<ExpectedMessage>& second);
