#pragma once

#include <vector>

#include "store/store_connection.h"
#include "store/store_rows.h"

// Accessor of table `type` (the categories), with a connection of its own for the whole run.
class CategoryTable {
public:
    CategoryTable();
    virtual ~CategoryTable();
    CategoryTable(const CategoryTable&) = delete;
    CategoryTable& operator=(const CategoryTable&) = delete;

    // Every category in ascending ID. False with errorCode 1 when the table cannot be read, 2 when it
    // holds no row with ID > 0; `rows` stays empty then.
    virtual bool LoadAll(std::vector<CategoryRow>* rows, int* errorCode);
    // Stores a category named row.name; SQLite assigns its ID (row.ID is not updated).
    virtual bool Insert(const CategoryRow& row);
    // Deletes the category row.ID; its messages are left to the caller.
    virtual bool Remove(const CategoryRow& row);
    // The first category named exactly `name`; false and a fresh record when there is none.
    virtual bool FindByName(const std::string& name, CategoryRow* row);
    // Gives category row.ID the name row.name (true also when no row has that ID).
    virtual bool Rename(const CategoryRow& row);

private:
    StoreConnection connection_;
};
