#pragma once

#include "app/app_state.h"

// Keeps the docking step still while a handler shows a dialog or rebuilds the list: clears
// `followActive` for the life of the object and sets it again however the handler leaves.
class FollowActivePause {
public:
    FollowActivePause() { followActive = false; }
    ~FollowActivePause() { followActive = true; }
    FollowActivePause(const FollowActivePause&) = delete;
    FollowActivePause& operator=(const FollowActivePause&) = delete;
};
