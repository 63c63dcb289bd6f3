#pragma once

#include <windows.h>

#include <string>

struct ChooseOpenFileArgs {
    HWND owner = nullptr;
    std::string initialDirectory;  // empty: the current working directory
    std::string title = "打开文件";
    std::string filter = "所有文件(*.*)|*.*";  // display name and pattern pairs, separated by "|"
    bool keepDirectory = false;                // false: the working directory is set back after the dialog
};

// Asks for a file with the system's open-file dialog. The chosen path, or the empty text on Cancel
// or failure. Unless asked to keep it, the working directory is the one from before the dialog,
// whatever folder the user browsed to (chat.db is found through it).
std::string ChooseOpenFile(const ChooseOpenFileArgs& args);
