#pragma once

#include <string>

#include "store/store_connection.h"
#include "store/store_rows.h"

// Accessor of table `config` (settings by key), with a connection of its own for the whole run.
class ConfigTable {
public:
    ConfigTable();
    virtual ~ConfigTable();
    ConfigTable(const ConfigTable&) = delete;
    ConfigTable& operator=(const ConfigTable&) = delete;

    // The setting stored under `key`; false (and a fresh record) when it is absent.
    virtual bool Get(const std::string& key, ConfigRow* row);
    // Stores a new setting; false when the key is already stored (there is no update).
    virtual bool Insert(const ConfigRow& row);

private:
    StoreConnection connection_;
};
