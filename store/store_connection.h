#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/handles.h"
#include "store/store_cursor.h"
#include "store/store_value.h"

// One connection to chat.db, or none while closed. Statements run in autocommit mode unless a
// transaction is begun (only the import does so), with no busy timeout: a lock held by another
// connection fails the statement at once. SQL texts and bound texts are ANSI (GBK) on this side and
// UTF-8 on SQLite's.
class StoreConnection {
public:
    StoreConnection() = default;
    StoreConnection(const StoreConnection&) = delete;
    StoreConnection& operator=(const StoreConnection&) = delete;

    // Opens (creating when missing) the file at `path`, closing any handle held before.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return db_ != nullptr; }

    // Runs statements that return no rows. True exactly when SQLite reports success; an UPDATE or
    // DELETE that matches no row succeeds. False at once for an empty text or a closed connection.
    bool Execute(const std::string& sql);
    // Runs one statement with the `?` parameters bound in order (texts as UTF-8).
    bool Execute(const std::string& sql, const std::vector<StoreValue>& parameters);

    // An explicit transaction: what runs between Begin and a successful Commit is stored together or
    // not at all, while a statement that fails inside it fails alone. Commit fails while another
    // connection still reads the file; the transaction then stays open until Rollback.
    bool Begin();
    bool Commit();
    bool Rollback();
    // False in autocommit mode, also after SQLite ended a transaction itself (disk full, I/O error).
    bool InTransaction() const;

    // Prepares one statement; the cursor reads nothing when preparing failed.
    StoreCursor Query(const std::string& sql);
    StoreCursor Query(const std::string& sql, const std::vector<StoreValue>& parameters);

    // INSERT of the given columns, put in the table's declared column order, all values bound.
    // True exactly when the row was stored (a constraint violation is a failure).
    bool InsertRow(const std::string& table, const std::vector<StoreField>& fields);

    // Every row of the table in ascending rowid order, each column as text.
    bool ReadAllRows(const std::string& table, std::vector<std::vector<std::string>>* rows);

    // Whether at least one row of the table satisfies `condition` (an SQL expression).
    bool HasRowWhere(const std::string& table, const std::string& condition);

    // Whether the table can be read through this connection (open, table present, not locked away).
    bool CanReadTable(const std::string& table);

private:
    SqliteStatement Prepare(const std::string& sql, const std::vector<StoreValue>& parameters);

    SqliteDatabase db_;
};
