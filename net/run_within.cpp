#include "net/run_within.h"

#include <memory>

#include "base/handles.h"

namespace {

// Shared by the waiting caller and the thread: whichever lets go last frees it.
struct Job {
    std::function<void()> work;
    UniqueHandle done;
};

DWORD WINAPI JobThread(LPVOID parameter) {
    std::unique_ptr<std::shared_ptr<Job>> job(static_cast<std::shared_ptr<Job>*>(parameter));
    try {
        (*job)->work();
    } catch (...) {
        // A job that fails ends like one that finished; what it was to deliver stays undelivered.
    }
    SetEvent((*job)->done.get());
    return 0;
}

}  // namespace

bool RunWithin(unsigned timeoutMs, std::function<void()> work) {
    auto job = std::make_shared<Job>();
    job->work = std::move(work);
    job->done.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!job->done) {
        return false;
    }
    auto parameter = std::make_unique<std::shared_ptr<Job>>(job);
    UniqueHandle thread(CreateThread(nullptr, 0, JobThread, parameter.get(), 0, nullptr));
    if (!thread) {
        return false;
    }
    parameter.release();  // the thread owns its share now
    return WaitForSingleObject(job->done.get(), timeoutMs) == WAIT_OBJECT_0;
}
