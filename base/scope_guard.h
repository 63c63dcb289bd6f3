#pragma once

#include <utility>

// Runs an action when the scope that holds the guard ends, however it ends. Dismiss() cancels it.
//     auto resume = MakeScopeGuard([] { followActive.Resume(); });
template <typename Action>
class ScopeGuard {
public:
    explicit ScopeGuard(Action action) : action_(std::move(action)) {}
    ~ScopeGuard() {
        if (armed_) action_();
    }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

    void Dismiss() { armed_ = false; }

private:
    Action action_;
    bool armed_ = true;
};

template <typename Action>
ScopeGuard<Action> MakeScopeGuard(Action action) {
    return ScopeGuard<Action>(std::move(action));
}
