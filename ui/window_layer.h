#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/list_rows.h"

// Typed access to the state of the window's controls, for every part of the program that reads or
// writes it. Texts are GBK.

// List views (message list, process list). Every operation means the same for a list that holds its
// rows itself and for one whose rows the window layer keeps (see KeepListRows).
int ListSelection(HWND list);         // zero-based selected row, -1 for none
void ListSelect(HWND list, int row);  // selects one row (-1 clears the selection)
int ListRowCount(HWND list);
int ListAppendRow(HWND list, const std::string& firstCell);  // index of the new row, -1 on failure
bool ListSetCell(HWND list, int row, int column, const std::string& text);
std::string ListCell(HWND list, int row, int column);  // the whole text, however long
void ListClear(HWND list);
// Appends the rows, in order. A list whose rows the window layer keeps takes them over as they are,
// without a copy of their texts.
void ListAppendRows(HWND list, ListRows rows);

// For a list view created with LVS_OWNERDATA, a two-column report list: from now on the window layer
// keeps its rows (two texts each, see ListRows) until the list is destroyed, and answers what the
// list asks its parent about them: the texts it shows, and the row that starts with what the user
// types. What another program reads from the list (LVM_GETITEMTEXT) is answered the same way.
// False when the rows cannot be attached to the list.
bool KeepListRows(HWND list);

// Check boxes.
bool IsChecked(HWND checkBox);
void SetChecked(HWND checkBox, bool checked);

// Tab control: the selected tab (-1 for none).
int TabSelection(HWND tabs);
// Inserts a tab after the last one, without selecting it.
bool TabAppend(HWND tabs, const std::string& caption);

// Windows.
std::string WindowCaption(HWND window);
void SetWindowCaption(HWND window, const std::string& caption);
bool IsShown(HWND window);
// Shows the window where it is in the z-order without activating it (whatever the user works in keeps
// the keyboard), or hides it.
void SetShown(HWND window, bool shown);
void MoveWindowTo(HWND window, int left, int top);  // outer frame position on the screen; size kept
// The outer frame's position on the screen; false when the window cannot be read.
bool WindowPosition(HWND window, int* left, int* top);
// When the window is visible, shows it in its normal state (restoring it from minimised).
void ShowNormalIfVisible(HWND window);
// On: above all windows that are not topmost; off: back among them. Neither moves nor activates it.
void SetAlwaysOnTop(HWND window, bool onTop);
