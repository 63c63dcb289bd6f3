#pragma once

// A double-click in the message list: puts the selected message on the clipboard and types it into
// the chat window docked to last (`currentTarget`), or has QQ paste it, then presses Enter there when
// "双击发送" is checked. Does nothing without a selection; leaves the message on the clipboard only
// when the current target is no longer tracked.
void DeliverMessage();
