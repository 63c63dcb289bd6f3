#pragma once

#include <string>

class StoreConnection;

// chat.db in the process's current working directory (not the executable's folder).
std::string StorePath();

// Opens `connection` on StorePath(); a failed open leaves it closed and is not reported here: every
// later operation on it fails instead.
void OpenStoreConnection(StoreConnection& connection);

// Creates the three tables when missing, on a connection of its own. Existing tables are left as
// they are, whatever their columns.
void EnsureSchema();
