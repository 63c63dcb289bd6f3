#include "store/message_table.h"

#include <iterator>

#include "store/format_sql.h"
#include "store/store_schema.h"

MessageTable::MessageTable() {
    OpenStoreConnection(connection_);
}

MessageTable::~MessageTable() {
    connection_.Close();
}

bool MessageTable::Insert(const MessageRow& row) {
    return connection_.InsertRow("msg", {{"msg", StoreValue::Text(row.msg)},
                                         {"count", StoreValue::Integer(row.count)},
                                         {"typeid", StoreValue::Integer(row.typeId)}});
}

bool MessageTable::InsertAll(int32_t typeId,
                             size_t count,
                             const std::function<std::string_view(size_t)>& textAt,
                             std::vector<bool>* stored) {
    stored->assign(count, false);
    if (!connection_.Begin()) {
        return false;
    }
    MessageRow row;
    row.typeId = typeId;
    for (size_t i = 0; i < count; ++i) {
        row.msg.assign(textAt(i));  // one message at a time: the texts stay where the caller keeps them
        (*stored)[i] = Insert(row);
        if (!(*stored)[i] && !connection_.InTransaction()) {
            break;  // SQLite rolled back everything itself; what follows must not be autocommitted
        }
    }
    if (connection_.Commit()) {
        return true;
    }
    connection_.Rollback();
    stored->assign(count, false);
    return false;
}

bool MessageTable::LoadByCategory(int32_t categoryId, std::vector<MessageRow>* rows, int* errorCode) {
    if (!connection_.CanReadTable("msg")) {
        *errorCode = 1;
        return false;
    }
    // No ORDER BY: with ID as the rowid SQLite yields the rows in ascending ID, the order the list shows.
    StoreCursor cursor = connection_.Query("SELECT * FROM msg WHERE typeid=" + std::to_string(categoryId));
    const int idColumn = cursor.ColumnIndex("ID");
    const int msgColumn = cursor.ColumnIndex("msg");
    std::vector<MessageRow> loaded;
    while (cursor.Step()) {
        MessageRow row;
        row.ID = static_cast<int32_t>(cursor.ReadIntegerAt(idColumn));
        row.msg = cursor.ReadTextAt(msgColumn);
        loaded.push_back(std::move(row));
    }
    if (cursor.LastStepResult() != SQLITE_DONE) {
        *errorCode = 1;  // the read broke off (a lock taken meanwhile): hand back nothing rather than a part
        return false;
    }
    if (rows->empty()) {
        rows->swap(loaded);
    } else {
        rows->insert(rows->end(), std::make_move_iterator(loaded.begin()), std::make_move_iterator(loaded.end()));
    }
    return true;
}

bool MessageTable::LoadTextsByCategory(int32_t categoryId,
                                       const std::function<void(const std::string&)>& each,
                                       int* errorCode) {
    if (!connection_.CanReadTable("msg")) {
        *errorCode = 1;
        return false;
    }
    StoreCursor cursor = connection_.Query("SELECT * FROM msg WHERE typeid=" + std::to_string(categoryId));
    const int msgColumn = cursor.ColumnIndex("msg");
    std::string text;
    while (cursor.Step()) {
        cursor.ReadTextAt(msgColumn, &text);
        each(text);
    }
    if (cursor.LastStepResult() != SQLITE_DONE) {
        *errorCode = 1;
        return false;
    }
    return true;
}

bool MessageTable::RemoveByCategory(int32_t categoryId) {
    return connection_.Execute(FormatSql("DELETE FROM msg WHERE typeid=%d", {categoryId}));
}

bool MessageTable::Remove(const MessageRow& row) {
    return connection_.Execute(FormatSql("DELETE FROM msg WHERE ID=%d", {row.ID}));
}

bool MessageTable::UpdateText(const MessageRow& row) {
    return connection_.Execute(FormatSql("UPDATE msg set msg=? WHERE ID=%d", {row.ID}), {StoreValue::Text(row.msg)});
}
