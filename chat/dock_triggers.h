#pragma once

#include <windows.h>

#include <atomic>

#include "base/handles.h"

// What runs the docking step at once, between the ticks of the window's 250 ms timer (which stays the
// fallback): the window events of other programs (the foreground window changes; the current target
// moves, is minimised or restored) and a quick check about every 15 ms of the foreground window and the
// current target's rectangle. On Windows the events come as the user drags or switches windows and
// cost nothing meanwhile; the quick check is there for systems that send no such events (Wine 8 sends
// none of them).
//
// The step always runs on the thread that made the triggers, from its message queue, as the timer's
// step does: never in the middle of another handler except inside the waits that handle window
// messages, and never while `followActive` is paused. A burst of events and changes runs one step.
// The quick check only looks and asks, from a thread of its own: waking the user-interface thread
// 66 times a second would cost more than all the steps of the timer.

struct DockTriggerSet {
    bool windowEvents = true;  // the hooks on the window events
    bool quickCheck = true;    // the check between the timer's ticks
};

class DockTriggers {
public:
    // Starts the triggers of `set`; `step` is the docking step they run (DockStep in the program).
    explicit DockTriggers(void (*step)(), DockTriggerSet set = DockTriggerSet());
    // Unhooks and ends the check; a step asked for and not yet run is dropped.
    ~DockTriggers();
    DockTriggers(const DockTriggers&) = delete;
    DockTriggers& operator=(const DockTriggers&) = delete;

    // Whether the triggers of the set are running.
    bool Started() const { return started_; }

    // What the hooks call for each event the platform reports (`window`, `object` and `child` as the
    // hook gets them): asks for a step when the event is the foreground window changing, or the
    // current target's window moving, being minimised or restored. The step runs once this thread
    // next handles its messages, one step for all that asked until then.
    void OnWindowEvent(DWORD event, HWND window, LONG object, LONG child);

    // Whether `hook` is one of these triggers' hooks.
    bool Owns(HWINEVENTHOOK hook) const;

private:
    static LRESULT CALLBACK TriggerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static DWORD WINAPI QuickCheckThread(void* triggers);

    // The quick check's loop, until the triggers end.
    void QuickCheckLoop();
    // Posts one step to the user-interface thread unless one is already waiting there. Any thread.
    void AskForStep();
    // Runs the step that was asked for, unless following is paused.
    void RunWantedStep();
    // The location hook and the quick check follow the current target: the hook only listens to the
    // target's thread, so that the moves of every other window (and of the mouse cursor) never reach
    // the tool.
    void FollowTarget();

    void (*step_)();
    DockTriggerSet set_;
    bool started_ = false;
    UniqueWindow window_;
    UniqueWinEventHook foregroundHook_;
    UniqueWinEventHook minimiseHook_;  // minimised and restored
    UniqueWinEventHook locationHook_;
    HWND hookedTarget_ = nullptr;
    std::atomic<bool> stepWanted_{false};
    std::atomic<HWND> checkedTarget_{nullptr};  // the current target as the quick check watches it
    std::atomic<bool> ending_{false};
    UniqueHandle checkThread_;
};
