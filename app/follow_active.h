#pragma once

#include "app/app_state.h"

// Keeps the docking step still while a handler shows a dialog or rebuilds the list: pauses
// `followActive` for the life of the object and resumes it however the handler leaves. Docking follows
// again only when every pause in progress, on any thread, has ended.
class FollowActivePause {
public:
    FollowActivePause() { followActive.Pause(); }
    ~FollowActivePause() { followActive.Resume(); }
    FollowActivePause(const FollowActivePause&) = delete;
    FollowActivePause& operator=(const FollowActivePause&) = delete;
};
