#include "store/store_connection.h"

#include <climits>

#include "base/text_codec.h"
#include "store/format_sql.h"

namespace {

bool SameColumnName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool BindValue(sqlite3_stmt* statement, int index, const StoreValue& value) {
    if (value.kind == StoreValue::Kind::Integer) {
        return sqlite3_bind_int64(statement, index, value.integer) == SQLITE_OK;
    }
    const std::string utf8 = AnsiToUtf8(value.text);
    if (utf8.size() > INT_MAX) {
        return false;
    }
    return sqlite3_bind_text(statement, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT) ==
           SQLITE_OK;
}

// Showing a category reads every message of the table, page by page (typeid has no index). Through a
// memory mapping of the file that costs little; with one read call per page it costs most of a
// second per 500,000 messages under Wine. SQLite maps at most this much of the file per connection
// (less for a 32-bit process, whose address space is small) and reads what lies beyond the usual way;
// writes are unchanged. The setting must come before SQLite's first use in the process, so every
// open makes sure of it; when it came too late, SQLite reads the usual way.
const sqlite3_int64 kMappedBytes = sqlite3_int64{sizeof(void*) >= 8 ? 256 : 128} << 20;

void MapFilesForReading() {
    static const int configured = sqlite3_config(SQLITE_CONFIG_MMAP_SIZE, kMappedBytes, kMappedBytes);
    (void)configured;
}

}  // namespace

bool StoreConnection::Open(const std::string& path) {
    MapFilesForReading();
    Close();
    sqlite3* handle = nullptr;
    const int result = sqlite3_open(AnsiToUtf8(path).c_str(), &handle);
    SqliteDatabase opened(handle);  // closes a half-open handle on failure
    if (result != SQLITE_OK) {
        return false;
    }
    db_ = std::move(opened);
    return true;
}

void StoreConnection::Close() {
    db_.reset();
}

bool StoreConnection::Execute(const std::string& sql) {
    if (sql.empty() || !db_) {
        return false;
    }
    return sqlite3_exec(db_.get(), AnsiToUtf8(sql).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool StoreConnection::Execute(const std::string& sql, const std::vector<StoreValue>& parameters) {
    if (sql.empty() || !db_) {
        return false;
    }
    SqliteStatement statement = Prepare(sql, parameters);
    if (!statement) {
        return false;
    }
    int result;
    do {
        result = sqlite3_step(statement.get());
    } while (result == SQLITE_ROW);
    return result == SQLITE_DONE;
}

bool StoreConnection::Begin() {
    return Execute("BEGIN");
}

bool StoreConnection::Commit() {
    return Execute("COMMIT");
}

bool StoreConnection::Rollback() {
    return Execute("ROLLBACK");
}

bool StoreConnection::InTransaction() const {
    return db_ && sqlite3_get_autocommit(db_.get()) == 0;
}

SqliteStatement StoreConnection::Prepare(const std::string& sql, const std::vector<StoreValue>& parameters) {
    if (!db_) {
        return nullptr;
    }
    const std::string utf8 = AnsiToUtf8(sql);
    if (utf8.empty() || utf8.size() > INT_MAX) {
        return nullptr;
    }
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_.get(), utf8.data(), static_cast<int>(utf8.size()), &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        return nullptr;
    }
    SqliteStatement statement(raw);
    if (!statement || sqlite3_bind_parameter_count(raw) != static_cast<int>(parameters.size())) {
        return nullptr;
    }
    for (size_t i = 0; i < parameters.size(); ++i) {
        if (!BindValue(raw, static_cast<int>(i + 1), parameters[i])) {
            return nullptr;
        }
    }
    return statement;
}

StoreCursor StoreConnection::Query(const std::string& sql) {
    return StoreCursor(Prepare(sql, {}));
}

StoreCursor StoreConnection::Query(const std::string& sql, const std::vector<StoreValue>& parameters) {
    return StoreCursor(Prepare(sql, parameters));
}

bool StoreConnection::InsertRow(const std::string& table, const std::vector<StoreField>& fields) {
    if (!db_ || fields.empty()) {
        return false;
    }
    // The table's declared column order comes from the columns of an empty SELECT.
    SqliteStatement shape = Prepare(FormatSql("SELECT * FROM %s LIMIT 0", {table}), {});
    if (!shape) {
        return false;
    }
    std::vector<const StoreField*> ordered;
    const int columnCount = sqlite3_column_count(shape.get());
    for (int i = 0; i < columnCount; ++i) {
        const std::string declared = Utf8ToAnsi(sqlite3_column_name(shape.get(), i));
        for (const StoreField& field : fields) {
            if (SameColumnName(field.column, declared)) {
                ordered.push_back(&field);
                break;
            }
        }
    }
    if (ordered.size() != fields.size()) {
        return false;  // a column the table does not have, or one given twice
    }
    std::string columns;
    std::string placeholders;
    std::vector<StoreValue> values;
    for (const StoreField* field : ordered) {
        columns += (columns.empty() ? "" : ", ") + field->column;
        placeholders += placeholders.empty() ? "?" : ", ?";
        values.push_back(field->value);
    }
    SqliteStatement insert =
        Prepare(FormatSql("INSERT INTO %s (%s) VALUES (%s)", {table, columns, placeholders}), values);
    return insert && sqlite3_step(insert.get()) == SQLITE_DONE;
}

bool StoreConnection::ReadAllRows(const std::string& table, std::vector<std::vector<std::string>>* rows) {
    StoreCursor cursor = Query(FormatSql("SELECT * FROM %s ORDER BY _ROWID_", {table}));
    if (!cursor.IsPrepared()) {
        return false;
    }
    while (cursor.Step()) {
        std::vector<std::string> row;
        for (int i = 0; i < cursor.ColumnCount(); ++i) {
            row.push_back(cursor.ReadTextAt(i));
        }
        rows->push_back(std::move(row));
    }
    return cursor.LastStepResult() == SQLITE_DONE;
}

bool StoreConnection::HasRowWhere(const std::string& table, const std::string& condition) {
    StoreCursor cursor = Query(FormatSql("SELECT 1 FROM %s WHERE %s LIMIT 1", {table, condition}));
    return cursor.Step();
}

bool StoreConnection::CanReadTable(const std::string& table) {
    StoreCursor cursor = Query(FormatSql("SELECT * FROM %s LIMIT 1", {table}));
    if (!cursor.IsPrepared()) {
        return false;
    }
    cursor.Step();
    return cursor.LastStepResult() == SQLITE_ROW || cursor.LastStepResult() == SQLITE_DONE;
}
