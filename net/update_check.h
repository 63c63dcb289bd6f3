#pragma once

#include <windows.h>

#include <string>

// The version check of menu item "监测新版本": each click starts a thread of its own that asks the
// service whether a newer version than `versionText` exists and tells the user with message boxes.

// Starts a detached thread running RunUpdateCheck and returns at once. The thread gets its own copy of
// the address: it may outlive the window and the state that clean-up releases.
void CheckForUpdate();

// The body of that thread: request `address` (giving up after fifteen seconds), read the JSON reply,
// ask and open the download page. Docking is paused meanwhile.
void RunUpdateCheck(const std::string& address);

// The address the check asks for: the version text follows "version=", its space written "%20".
std::string UpdateCheckAddress();

// Waits until every check started by CheckForUpdate has ended; false on time-out. The program never
// waits for its checks; tests do, before they look at what a check did.
bool WaitForUpdateChecks(DWORD timeoutMs);
