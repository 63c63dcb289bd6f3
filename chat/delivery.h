#pragma once

#include <cstddef>

// A double-click in the message list: puts the selected message on the clipboard and types it into
// the chat window docked to last (`currentTarget`), or has QQ paste it, then presses Enter there when
// "双击发送" is checked. Does nothing without a selection; leaves the message on the clipboard only
// when the current target is no longer tracked. Enter in the message list runs it as well.
//
// Deliveries never overlap. One asked for while another runs (its waits handle window messages) is
// remembered with the row's text and the window docked to at that moment, and runs once the running
// one has ended, in the order asked, each with its own clipboard step, click, text and Enter. At most
// kMaxWaitingDeliveries wait; more are dropped.
void DeliverMessage();

constexpr size_t kMaxWaitingDeliveries = 32;
