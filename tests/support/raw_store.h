#pragma once

#include <string>
#include <vector>

// Reads and writes chat.db with SQLite directly, bypassing the program's store, so that tests see
// exactly what is on disk. Texts here are the raw UTF-8 bytes SQLite holds.
using RawRows = std::vector<std::vector<std::string>>;

// Runs `sql` on a connection of its own; NULL columns read as "<null>". Fails the test on an error.
RawRows RawQuery(const std::string& path, const std::string& sql);
void RawExecute(const std::string& path, const std::string& sql);
