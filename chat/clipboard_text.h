#pragma once

#include <string>

// LCID of Chinese (PRC), whose ANSI code page is 936: the locale handed to the clipboard with every
// text, so that a program converting the text itself does so from code page 936.
constexpr unsigned long kClipboardTextLocale = 0x0804;

// Replaces the clipboard content with the GBK text: CF_TEXT with exactly these bytes, the same text
// as CF_UNICODETEXT converted from code page 936, and CF_LOCALE kClipboardTextLocale. Without the last
// two the system would convert CF_TEXT for Unicode programs with the code page of the keyboard layout
// active at that moment, and a user typing in an English layout would paste garbage. True when the
// clipboard took CF_TEXT; false when it could not be opened (another program held it for a whole
// second: nothing changes) or did not accept the text. While another program holds it, opening is
// tried again every 20 ms, and the window's messages are handled meanwhile. What the clipboard held
// before is discarded either way once it could be opened.
bool SetClipboardText(const std::string& text);
