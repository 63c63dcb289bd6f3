#pragma once

// Handles every message waiting for the calling (user-interface) thread the way the program's event
// loop does, then returns. A WM_QUIT is left in the queue for the event loop to find, and so are the
// messages behind it.
void PumpEvents();
