#pragma once

// Docking the tool beside the chat window in front, and pulling a chat window beside the tool.

// One step of following the foreground window (every tick of the timer): beside a tracked chat window
// the tool is shown, lifted above it and placed against its right edge, and that window becomes
// `currentTarget`; over any other window the tool hides; in front itself it is shown. While a
// process-list pick runs it (`pullChatWindow`), the chat window is moved beside the tool instead.
// Does nothing while `followActive` is clear.
void DockStep();

// A click in the process list: minimises the window of the row picked before, restores and activates
// the window of the selected row and pulls it beside the tool. Picking the same row again does
// nothing.
void PickProcessRow();
