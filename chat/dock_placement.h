#pragma once

#include <cstdint>

#include "chat/chat_clients.h"
#include "chat/window_box.h"

// Where docking puts the windows, in screen coordinates. The tool keeps its size and so does a pulled
// chat window; only positions are computed here.

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// Follow: the tool's left and top beside the chat window, overlapping its right edge by 3 pixels
// (QQ: 10 pixels, and 8 pixels lower).
ScreenPoint FollowPosition(ChatClient client, const WindowBox& chat);

// Pull: the chat window's left and top beside the tool, the mirror of FollowPosition, for a chat
// window `chatWidth` pixels wide.
ScreenPoint PullPosition(ChatClient client, int32_t toolLeft, int32_t toolTop, int32_t chatWidth);
