#include "tests/support/raw_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "base/handles.h"
#include "base/text_codec.h"

namespace {

SqliteDatabase OpenRaw(const std::string& path) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open(AnsiToUtf8(path).c_str(), &db);
    SqliteDatabase owned(db);
    EXPECT_EQ(SQLITE_OK, rc) << "opening " << path;
    return owned;
}

}  // namespace

RawRows RawQuery(const std::string& path, const std::string& sql) {
    RawRows rows;
    SqliteDatabase db = OpenRaw(path);
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &raw, nullptr);
    SqliteStatement statement(raw);
    EXPECT_EQ(SQLITE_OK, rc) << sql << ": " << sqlite3_errmsg(db.get());
    if (rc != SQLITE_OK) return rows;
    while (sqlite3_step(raw) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(raw); ++i) {
            if (sqlite3_column_type(raw, i) == SQLITE_NULL) {
                row.push_back("<null>");
            } else {
                const char* text = reinterpret_cast<const char*>(sqlite3_column_text(raw, i));
                row.push_back(std::string(text, static_cast<size_t>(sqlite3_column_bytes(raw, i))));
            }
        }
        rows.push_back(row);
    }
    return rows;
}

void RawExecute(const std::string& path, const std::string& sql) {
    SqliteDatabase db = OpenRaw(path);
    char* error = nullptr;
    const int rc = sqlite3_exec(db.get(), sql.c_str(), nullptr, nullptr, &error);
    EXPECT_EQ(SQLITE_OK, rc) << sql << ": " << (error ? error : "");
    sqlite3_free(error);
}
