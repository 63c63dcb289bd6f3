#include "chat/event_pump.h"

namespace {

EventPreTranslator installedPreTranslator = nullptr;

}  // namespace

void SetEventPreTranslator(EventPreTranslator preTranslator) {
    installedPreTranslator = preTranslator;
}

void PumpEvents() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            return;
        }
        if (message.message == WM_QUIT) {
            // Became the next message between the two peeks: put it back for the event loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (installedPreTranslator != nullptr && installedPreTranslator(&message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
