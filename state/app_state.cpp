#include "state/app_state.h"

std::vector<ChatTarget> chatTargets;
HWND currentTarget = nullptr;
HWND inputBoxWindow = nullptr;
PauseCounter followActive{1};  // no docking before the window exists
int32_t currentTabIndex = 0;
std::unique_ptr<CategoryTable> categoryTable;
std::unique_ptr<MessageTable> messageTable;
std::unique_ptr<ConfigTable> configTable;
std::string versionText;
int32_t lastPickedRow = -1;
bool pullChatWindow = false;
std::string machineIdentity;

const char kVersionText[] = "v 1.0.0";
