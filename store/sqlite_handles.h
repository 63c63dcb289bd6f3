#pragma once

#include <sqlite3.h>

#include <memory>

// Owning handles for SQLite objects: a connection is closed and a statement finalised exactly once,
// on every path out of the scope that holds it.
struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct SqliteFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

using SqliteDatabase = std::unique_ptr<sqlite3, SqliteCloser>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteFinalizer>;
