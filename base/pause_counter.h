#pragma once

#include <atomic>

// A flag that reads true only while no pause is in progress. Pauses nest and may come from several
// threads at once: each Pause is matched by one Resume, and the flag reads true again only after the
// last of them has resumed, so one that ends early never lifts the pause of another still running.
class PauseCounter {
public:
    explicit PauseCounter(int pauses) : pauses_(pauses) {}
    PauseCounter(const PauseCounter&) = delete;
    PauseCounter& operator=(const PauseCounter&) = delete;

    void Pause() { pauses_.fetch_add(1); }
    // Ends one pause; a Resume with none in progress changes nothing.
    void Resume() {
        int pauses = pauses_.load();
        while (pauses > 0 && !pauses_.compare_exchange_weak(pauses, pauses - 1)) {
        }
    }
    // No pause in progress any more, whatever was paused before.
    void Reset() { pauses_.store(0); }

    explicit operator bool() const { return pauses_.load() == 0; }

private:
    std::atomic<int> pauses_;
};
