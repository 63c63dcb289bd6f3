#include "store/store_schema.h"

#include <windows.h>

#include "store/store_connection.h"

std::string StorePath() {
    char directory[260];
    const DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    std::string path;
    if (length > 0 && length < sizeof directory) {
        path.assign(directory, length);
    }
    return path + "\\chat.db";
}

void OpenStoreConnection(StoreConnection& connection) {
    connection.Open(StorePath());
}

void EnsureSchema() {
    StoreConnection connection;
    connection.Open(StorePath());
    connection.Execute("CREATE TABLE IF NOT EXISTS config (\"key\" VARCHAR (20) PRIMARY KEY, value TEXT)");
    connection.Execute(
        "CREATE TABLE IF NOT EXISTS msg (ID INTEGER PRIMARY KEY, msg VARCHAR, count INT DEFAULT (0), "
        "typeid INTEGER REFERENCES type (ID))");
    connection.Execute("CREATE TABLE IF NOT EXISTS type (ID INTEGER PRIMARY KEY, name VARCHAR (255) NOT NULL)");
}
