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
    // The index of the named column (found as by name above), -1 for none; known from preparing on.
    int ColumnIndex(const std::string& column) const;
    int64_t ReadIntegerAt(int index) const;
    std::string ReadTextAt(int index) const;  // ANSI code page
    // The same into *text, reusing its memory (for reading many rows); false, with *text empty, when
    // there is nothing to read or the text cannot be converted.
    bool ReadTextAt(int index, std::string* text) const;

private:
    int FindColumn(const std::string& column) const;

    SqliteStatement statement_;
    mutable std::wstring wide_;  // reused by every text read, which goes through UTF-16
    bool hasRow_ = false;
    int lastResult_ = SQLITE_MISUSE;
};
