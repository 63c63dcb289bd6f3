#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/list_rows.h"

// The message list shows the messages of the current category, one row each: column 0 the 1-based
// row number, column 1 the text. Rows carry no message ID; every operation finds a row's message
// again by loading the category and comparing texts.

// Refills `list` with the messages of the category named by the current tab of `tabs`.
void FillMessageList(HWND list, HWND tabs);
// Appends one numbered row per text; numbering starts at 1 whatever rows are already there.
void AppendMessageRows(HWND list, const std::vector<std::string>& texts);
// The same for the texts of `text` that `lines` point at; the list keeps `text` as it is.
void AppendMessageLines(HWND list, std::string text, const std::vector<TextSpan>& lines);

// Items of the "操作" menu.
void DuplicateMessage();
void DeleteMessage();
void EditMessage();
void MoveMessageUp();
void MoveMessageDown();

extern const char kEditMessageDialogTitle[];
