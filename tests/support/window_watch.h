#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

// Waits on a helper thread for a top-level window of this process with the given caption (ANSI) and
// then runs `action` on it from that thread: the way tests drive real modal dialogs and message
// loops from outside. The destructor waits for the helper to finish.
class WindowWatch {
public:
    WindowWatch(std::string caption, std::function<void(HWND)> action, DWORD timeoutMs = 10000);
    // The same for the first visible top-level window of this process that `match` accepts.
    WindowWatch(std::function<bool(HWND)> match, std::function<void(HWND)> action, DWORD timeoutMs = 10000);
    ~WindowWatch();
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;

    // Joins the helper; true when the window appeared and the action ran.
    bool Wait();

private:
    bool found_ = false;  // declared before the thread, which sets it
    std::thread thread_;
};

struct ChildWindowInfo {
    HWND window;
    std::string className;
    std::string text;
};

// Whether `window` has the class name `className` (ANSI, case-insensitive).
bool HasClass(HWND window, const char* className);

// Every descendant of `parent`, depth first, with class name and text (ANSI).
std::vector<ChildWindowInfo> ListDescendants(HWND parent);
