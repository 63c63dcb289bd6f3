#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/list_rows.h"

// Handler of 按钮_导入消息: asks for a UTF-8 text file and imports its lines, one message each, into
// the current category, shown at the end of the message list.
void ImportMessages();

// Converts the UTF-8 `text` to GBK, cuts it into lines at CR LF and stores each, in one transaction, as
// a message of the category named by the current tab of `tabs`; the stored lines are appended to
// `list` numbered from 1. When a character of some lines has no GBK form, the user is asked first
// whether to import them all the same (Cancel imports nothing). When the transaction cannot be
// committed, `list` is filled again from the store. `text` itself becomes the texts of the new rows.
void ImportText(HWND list, std::string text, HWND tabs);

// Converts the UTF-8 lines of *text, from `start` on, to GBK where they lie: each line's GBK text is
// written over the file's own bytes, packed from the start of *text, and `lines` gets where each line
// now is. So the file's text is held once, and the lines become the list's rows as they are. A line
// ends at CR LF; the lines are those that converting the whole text and cutting it at each CR LF
// between two characters gives. Writing never overtakes reading: no character takes more bytes in
// GBK than in UTF-8 (an invalid byte becomes the one-byte default character). `replaced` counts the
// lines in which a character had no GBK form (an invalid byte included). False when a line cannot be
// converted.
bool ConvertImportLines(std::string* text, size_t start, std::vector<TextSpan>* lines, size_t* replaced);

// The whole file, opened for reading while no one else may write to it, up to its first zero byte.
// Empty when the file cannot be opened.
std::string ReadImportFile(const std::string& path);

extern const char kImportDialogTitle[];
