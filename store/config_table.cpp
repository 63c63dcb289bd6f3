#include "store/config_table.h"

#include "store/store_schema.h"

ConfigTable::ConfigTable() {
    OpenStoreConnection(connection_);
}

ConfigTable::~ConfigTable() {
    connection_.Close();
}

bool ConfigTable::Get(const std::string& key, ConfigRow* row) {
    StoreCursor cursor = connection_.Query("SELECT * FROM config WHERE `key`=?", {StoreValue::Text(key)});
    cursor.Step();
    row->key = cursor.ReadText("key");
    row->value = cursor.ReadText("value");
    return !row->key.empty();
}

bool ConfigTable::Insert(const ConfigRow& row) {
    return connection_.InsertRow("config",
                                 {{"key", StoreValue::Text(row.key)}, {"value", StoreValue::Text(row.value)}});
}
