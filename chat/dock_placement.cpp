#include "chat/dock_placement.h"

namespace {

struct DockOffsets {
    int32_t overlap;  // how far the tool reaches over the chat window's right edge
    int32_t drop;     // how much lower the tool's top is than the chat window's
};

DockOffsets OffsetsOf(ChatClient client) {
    return client == ChatClient::kQq ? DockOffsets{10, 8} : DockOffsets{3, 0};
}

// Sums in 32-bit window-manager arithmetic: wraps instead of overflowing.
int32_t Add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t Subtract(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

}  // namespace

ScreenPoint FollowPosition(ChatClient client, const WindowBox& chat) {
    const DockOffsets offsets = OffsetsOf(client);
    const int32_t chatRight = Add(chat.left, chat.width);
    return ScreenPoint{Subtract(chatRight, offsets.overlap), Add(chat.top, offsets.drop)};
}

ScreenPoint PullPosition(ChatClient client, int32_t toolLeft, int32_t toolTop, int32_t chatWidth) {
    const DockOffsets offsets = OffsetsOf(client);
    return ScreenPoint{Subtract(Subtract(toolLeft, offsets.overlap), chatWidth), Add(toolTop, offsets.drop)};
}
