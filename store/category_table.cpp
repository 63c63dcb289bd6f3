#include "store/category_table.h"

#include <cstdlib>

#include "store/format_sql.h"
#include "store/store_schema.h"

CategoryTable::CategoryTable() {
    OpenStoreConnection(connection_);
}

CategoryTable::~CategoryTable() {
    connection_.Close();
}

bool CategoryTable::LoadAll(std::vector<CategoryRow>* rows, int* errorCode) {
    if (!connection_.CanReadTable("type")) {
        *errorCode = 1;
        return false;
    }
    if (!connection_.HasRowWhere("type", "ID>0")) {
        *errorCode = 2;
        return false;
    }
    std::vector<std::vector<std::string>> texts;
    if (!connection_.ReadAllRows("type", &texts)) {
        *errorCode = 1;
        return false;
    }
    for (const std::vector<std::string>& text : texts) {
        CategoryRow row;
        row.ID = text.empty() ? 0 : static_cast<int32_t>(std::strtol(text[0].c_str(), nullptr, 10));
        row.name = text.size() > 1 ? text[1] : std::string();
        rows->push_back(row);
    }
    return true;
}

bool CategoryTable::Insert(const CategoryRow& row) {
    return connection_.InsertRow("type", {{"name", StoreValue::Text(row.name)}});
}

bool CategoryTable::Remove(const CategoryRow& row) {
    return connection_.Execute(FormatSql("DELETE FROM type WHERE ID=%d", {row.ID}));
}

bool CategoryTable::FindByName(const std::string& name, CategoryRow* row) {
    StoreCursor cursor = connection_.Query("SELECT * FROM type WHERE `name`=?", {StoreValue::Text(name)});
    cursor.Step();
    row->ID = static_cast<int32_t>(cursor.ReadInteger("ID"));
    row->name = cursor.ReadText("name");
    return row->ID > 0;
}

bool CategoryTable::Rename(const CategoryRow& row) {
    return connection_.Execute(FormatSql("UPDATE type set name=? WHERE ID=%d", {row.ID}), {StoreValue::Text(row.name)});
}
