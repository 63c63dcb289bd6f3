#include "tests/support/window_watch.h"

namespace {

struct FindRequest {
    const std::function<bool(HWND)>* match;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    FindRequest* request = reinterpret_cast<FindRequest*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) {
        return TRUE;
    }
    if ((*request->match)(window)) {
        request->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam) {
    auto* children = reinterpret_cast<std::vector<ChildWindowInfo>*>(lParam);
    char className[256] = {};
    GetClassNameA(window, className, sizeof className);
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    children->push_back({window, className, text});
    return TRUE;
}

}  // namespace

WindowWatch::WindowWatch(std::string caption, std::function<void(HWND)> action, DWORD timeoutMs)
    : WindowWatch(
          [caption](HWND window) {
              char text[512] = {};
              GetWindowTextA(window, text, sizeof text);
              return caption == text;
          },
          std::move(action),
          timeoutMs) {}

WindowWatch::WindowWatch(std::function<bool(HWND)> match, std::function<void(HWND)> action, DWORD timeoutMs)
    : thread_([this, match, action, timeoutMs] {
          const DWORD start = GetTickCount();
          while (GetTickCount() - start < timeoutMs) {
              FindRequest request{&match, nullptr};
              EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&request));
              if (request.found != nullptr) {
                  Sleep(50);  // let the dialog finish initialising
                  action(request.found);
                  found_ = true;
                  return;
              }
              Sleep(20);
          }
      }) {}

WindowWatch::~WindowWatch() {
    Wait();
}

bool WindowWatch::Wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return found_;
}

bool HasClass(HWND window, const char* className) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return _stricmp(name, className) == 0;
}

std::vector<ChildWindowInfo> ListDescendants(HWND parent) {
    std::vector<ChildWindowInfo> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}
