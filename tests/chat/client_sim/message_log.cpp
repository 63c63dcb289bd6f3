#include "tests/chat/client_sim/message_log.h"

#include <algorithm>
#include <chrono>

#include "tests/chat/sim_protocol.h"

void MessageLog::Track(HWND window) {
    std::lock_guard<std::mutex> lock(mutex_);
    logs_[window].clear();
}

void MessageLog::Forget(HWND window) {
    std::lock_guard<std::mutex> lock(mutex_);
    logs_.erase(window);
    changed_.notify_all();
}

void MessageLog::Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int64_t now = NowMicroseconds();
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = logs_.find(window);
    if (found == logs_.end()) {
        return;
    }
    found->second.push_back({message, static_cast<uint64_t>(wParam), static_cast<uint64_t>(lParam), now});
}

void MessageLog::RecordMarker(HWND window, uint64_t id) {
    const int64_t now = NowMicroseconds();
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = logs_.find(window);
    if (found == logs_.end()) {
        return;
    }
    found->second.push_back({kMarkerMessage, id, 0, now});
    changed_.notify_all();
}

bool MessageLog::TakeUntilMarker(HWND window, uint64_t id, DWORD timeoutMs, std::vector<LoggedMessage>* messages) {
    std::unique_lock<std::mutex> lock(mutex_);
    std::vector<LoggedMessage>::iterator marker;
    const bool seen = changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        auto found = logs_.find(window);
        if (found == logs_.end()) {
            return true;  // gone: stop waiting
        }
        marker = std::find_if(found->second.begin(), found->second.end(), [id](const LoggedMessage& entry) {
            return entry.message == kMarkerMessage && entry.wParam == id;
        });
        return marker != found->second.end();
    });
    auto found = logs_.find(window);
    if (!seen || found == logs_.end()) {
        return false;
    }
    messages->assign(found->second.begin(), marker);
    found->second.erase(found->second.begin(), marker + 1);
    return true;
}
