#pragma once

#include <string>

// Replaces the clipboard content with the GBK text as CF_TEXT. True when the clipboard took the text;
// false when it could not be opened (another program holds it: nothing changes) or did not accept
// the data. What the clipboard held before is discarded either way once it could be opened.
bool SetClipboardText(const std::string& text);
