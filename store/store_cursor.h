#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>

#include "base/handles.h"

// A prepared statement stepped row by row. Columns are read by name (ASCII letters compared without
// regard to case). Reading from a cursor whose statement could not be prepared, or when no row is
// current, gives 0 or the empty text. The statement is finalised when the cursor goes away.
class StoreCursor {
public:
    StoreCursor() = default;
    explicit StoreCursor(SqliteStatement statement) : statement_(std::move(statement)) {}
    StoreCursor(StoreCursor&&) = default;
    StoreCursor& operator=(StoreCursor&&) = default;

    bool IsPrepared() const { return statement_ != nullptr; }

    // True while a row is available (SQLITE_ROW).
    bool Step();
    // The result code of the last Step (SQLITE_ROW, SQLITE_DONE or an error); SQLITE_MISUSE before any.
    int LastStepResult() const { return lastResult_; }

    int64_t ReadInteger(const std::string& column) const;
    std::string ReadText(const std::string& column) const;  // ANSI code page

    int ColumnCount() const;
    std::string ReadTextAt(int index) const;  // ANSI code page

private:
    int FindColumn(const std::string& column) const;

    SqliteStatement statement_;
    bool hasRow_ = false;
    int lastResult_ = SQLITE_MISUSE;
};
