#include "chat/posted_input.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "chat/input_lparam.h"
#include "tests/chat/message_sequence.h"
#include "tests/chat/sim_protocol.h"

namespace {

constexpr UINT_PTR kMarkerTimer = 1;
constexpr char kTargetClass[] = "ScreenClickTarget";

// The window that the real clicks land on, in this process. (A window of the simulator would do as
// well on Windows; under Wine the other process reports the pointer moves it sees as X events after
// the fact, and such a late report can move the cursor between the steps of a click.) It logs what
// it receives like the simulator does, with the same marker rule.
class ClickTarget {
public:
    ClickTarget() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = kTargetClass;
        RegisterClassA(&windowClass);  // fails harmlessly when already registered
        // Topmost, so that no window of a test running beside this one can come between.
        window_ = CreateWindowExA(WS_EX_TOPMOST, kTargetClass, "", WS_POPUP | WS_VISIBLE, 400, 300, 400, 300, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetForegroundWindow(window_);
    }
    ~ClickTarget() { DestroyWindow(window_); }
    ClickTarget(const ClickTarget&) = delete;
    ClickTarget& operator=(const ClickTarget&) = delete;

    HWND window() const { return window_; }

    // Posts a marker and handles messages until it is logged; hands out what came before it.
    bool TakeMessages(std::vector<RecordedMessage>* messages) {
        markerSeen_ = false;
        PostMessageA(window_, kMarkerMessage, 0, 0);
        const DWORD start = GetTickCount();
        while (!markerSeen_ && GetTickCount() - start < kMarkerTimeoutMs) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&message);
            }
        }
        messages->swap(log_);
        log_.clear();
        return markerSeen_;
    }

private:
    static bool InputWaiting() { return (HIWORD(GetQueueStatus(QS_INPUT)) & QS_INPUT) != 0; }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ClickTarget*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self == nullptr) {
            return DefWindowProcA(window, message, wParam, lParam);
        }
        if (message == kMarkerMessage || (message == WM_TIMER && wParam == kMarkerTimer)) {
            if (InputWaiting()) {
                SetTimer(window, kMarkerTimer, USER_TIMER_MINIMUM, nullptr);  // comes after the input
            } else {
                KillTimer(window, kMarkerTimer);
                self->markerSeen_ = true;
            }
            return 0;
        }
        self->log_.push_back({message, static_cast<uint64_t>(wParam), static_cast<uint64_t>(lParam), 0});
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    std::vector<RecordedMessage> log_;
    bool markerSeen_ = false;
};

// A real click as the window sees it: moves may come with the cursor, then down and up at the point.
std::vector<ExpectedMessage> RealClickAt(int32_t x, int32_t y) {
    const uint64_t point = LParamBits(ClientPointLParam(x, y));
    const unsigned anyMove = kOptional | kAnyWParam | kAnyLParam;
    return {
        {WM_MOUSEMOVE, 0, 0, anyMove}, {WM_LBUTTONDOWN, MK_LBUTTON, point, kExact},
        {WM_MOUSEMOVE, 0, 0, anyMove}, {WM_LBUTTONUP, 0, point, kExact},
        {WM_MOUSEMOVE, 0, 0, anyMove},
    };
}

class ScreenClickTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, target_.window());
        ASSERT_TRUE(ClientToScreen(target_.window(), &origin_));
        StartCursorAt(5, 5);
    }

    // Puts the cursor on client point (x, y) of the window and forgets what that caused.
    void StartCursorAt(int32_t x, int32_t y) {
        ASSERT_TRUE(SetCursorPos(origin_.x + x, origin_.y + y));
        std::vector<RecordedMessage> ignored;
        ASSERT_TRUE(target_.TakeMessages(&ignored));
    }

    void ExpectClickAt(int32_t x, int32_t y) {
        std::vector<RecordedMessage> got;
        ASSERT_TRUE(target_.TakeMessages(&got));
        EXPECT_TRUE(MatchesSequence(got, RealClickAt(x, y)));
    }

    void ExpectCursorAt(int32_t x, int32_t y) {
        POINT cursor = {};
        ASSERT_TRUE(GetCursorPos(&cursor));
        EXPECT_EQ(origin_.x + x, cursor.x);
        EXPECT_EQ(origin_.y + y, cursor.y);
    }

    ClickTarget target_;
    POINT origin_ = {0, 0};  // client-area origin of the window on the screen
};

TEST_F(ScreenClickTest, ClicksAtClientPointOfTheWindowAndPutsTheCursorBack) {
    ClickAtScreen(target_.window(), 30, 40);
    ExpectClickAt(30, 40);
    ExpectCursorAt(5, 5);
}

TEST_F(ScreenClickTest, WithoutWindowTheCoordinatesAreScreenCoordinates) {
    ClickAtScreen(nullptr, origin_.x + 70, origin_.y + 80);
    ExpectClickAt(70, 80);
    ExpectCursorAt(5, 5);
}

TEST_F(ScreenClickTest, WithNothingGivenClicksWhereTheCursorIs) {
    StartCursorAt(50, 60);
    ClickAtScreen(nullptr);
    ExpectClickAt(50, 60);
    ExpectCursorAt(50, 60);
}

TEST_F(ScreenClickTest, AMissingCoordinateComesFromTheCursor) {
    StartCursorAt(50, 60);
    ClickAtScreen(nullptr, origin_.x + 90, std::nullopt);
    ExpectClickAt(90, 60);
    ExpectCursorAt(50, 60);
}

}  // namespace
