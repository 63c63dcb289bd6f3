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

// The same two placements kept on the screen: `workArea` is the work area of the monitor that holds
// the chat window. The window that moves goes where FollowPosition or PullPosition puts it whenever it
// fits there inside the work area. When it does not fit on that side, it goes to the chat window's
// (follow) or the tool's (pull) other side, with the same overlap mirrored; when it fits on neither
// side (a maximised chat window), it stays on the first side pushed inside the work area, over the
// other window. Its top is moved down or up only as far as the work area needs.

// Follow: the tool's left and top; only the size of `tool` counts.
ScreenPoint FollowPlacement(ChatClient client, const WindowBox& chat, const WindowBox& tool, const WindowBox& workArea);

// Pull: the chat window's left and top; only the size of `chat` counts.
ScreenPoint PullPlacement(ChatClient client, const WindowBox& tool, const WindowBox& chat, const WindowBox& workArea);
