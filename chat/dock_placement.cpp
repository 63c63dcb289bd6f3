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

// The edges of the work area along one axis, wide enough for any sum of two coordinates.
struct Span {
    int64_t from;
    int64_t to;
};

Span Across(const WindowBox& area) {
    return Span{area.left, int64_t{area.left} + area.width};
}

Span Down(const WindowBox& area) {
    return Span{area.top, int64_t{area.top} + area.height};
}

bool Fits(int64_t start, int32_t size, const Span& span) {
    return start >= span.from && start + size <= span.to;
}

// `start` moved only as far as the span needs to hold `size`; a window larger than the span keeps
// its near edge (and the caption with it) inside.
int32_t PushInside(int64_t start, int32_t size, const Span& span) {
    if (start + size > span.to) {
        start = span.to - size;
    }
    if (start < span.from) {
        start = span.from;
    }
    return static_cast<int32_t>(start);
}

// The left edge: the first side where the window fits, else the mirrored side where it fits, else the
// first side pushed inside.
int32_t ChooseSide(int32_t first, int64_t mirrored, int32_t width, const Span& across) {
    if (Fits(first, width, across)) {
        return first;
    }
    if (Fits(mirrored, width, across)) {
        return static_cast<int32_t>(mirrored);
    }
    return PushInside(first, width, across);
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

ScreenPoint FollowPlacement(ChatClient client,
                            const WindowBox& chat,
                            const WindowBox& tool,
                            const WindowBox& workArea) {
    const ScreenPoint beside = FollowPosition(client, chat);
    // Mirrored: the tool's right edge lies the overlap right of the chat window's left edge.
    const int64_t mirrored = int64_t{chat.left} + OffsetsOf(client).overlap - tool.width;
    const Span across = Across(workArea);
    const int32_t left = ChooseSide(beside.x, mirrored, tool.width, across);
    return ScreenPoint{left, PushInside(beside.y, tool.height, Down(workArea))};
}

ScreenPoint PullPlacement(ChatClient client, const WindowBox& tool, const WindowBox& chat, const WindowBox& workArea) {
    const ScreenPoint beside = PullPosition(client, tool.left, tool.top, chat.width);
    // Mirrored: the chat window's left edge lies the overlap right of the tool's right edge.
    const int64_t mirrored = int64_t{tool.left} + tool.width + OffsetsOf(client).overlap;
    const Span across = Across(workArea);
    const int32_t left = ChooseSide(beside.x, mirrored, chat.width, across);
    return ScreenPoint{left, PushInside(beside.y, chat.height, Down(workArea))};
}
