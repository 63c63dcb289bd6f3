#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

// One message as a simulated window received it.
struct LoggedMessage {
    UINT message;
    uint64_t wParam;
    uint64_t lParam;
    int64_t microseconds;  // QueryPerformanceCounter time, comparable between processes
};

// The messages of every tracked window, written by the window thread and read by the command thread.
class MessageLog {
public:
    void Track(HWND window);
    void Forget(HWND window);
    // Ignored for windows that are not tracked (for example during their creation).
    void Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RecordMarker(HWND window, uint64_t id);
    // Waits until marker `id` has been logged for the window; hands out what came before it and drops
    // it and the marker from the log. False on timeout or for a window that is not tracked.
    bool TakeUntilMarker(HWND window, uint64_t id, DWORD timeoutMs, std::vector<LoggedMessage>* messages);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<HWND, std::vector<LoggedMessage>> logs_;
};
