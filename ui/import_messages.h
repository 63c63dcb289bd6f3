#pragma once

#include <windows.h>

#include <string>

// Handler of 按钮_导入消息: asks for a UTF-8 text file and imports its lines, one message each, into
// the current category, shown at the end of the message list.
void ImportMessages();

// Converts `utf8` to GBK, cuts it into lines at CR LF and stores each, in one transaction, as a message
// of the category named by the current tab of `tabs`; the stored lines are appended to `list`
// numbered from 1. When the transaction cannot be committed, `list` is filled again from the store.
void ImportText(HWND list, const std::string& utf8, HWND tabs);

// The whole file, opened for reading while no one else may write to it, up to its first zero byte.
// Empty when the file cannot be opened.
std::string ReadImportFile(const std::string& path);

extern const char kImportDialogTitle[];
