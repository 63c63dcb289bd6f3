#pragma once

#include <functional>

// Runs `job` on a thread of its own and waits at most `timeoutMs` for it to end; true when it ended in
// time. A job that has not ended by then runs on alone until it does, and nothing waits for it, so it
// must own everything it touches (copies, or objects it shares ownership of). False at once, with the
// job not run, when no thread can be started.
bool RunWithin(unsigned timeoutMs, std::function<void()> job);
