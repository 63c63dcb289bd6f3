#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "store/store_connection.h"
#include "store/store_rows.h"

// Accessor of table `msg` (the reply messages), with a connection of its own for the whole run.
class MessageTable {
public:
    MessageTable();
    virtual ~MessageTable();
    MessageTable(const MessageTable&) = delete;
    MessageTable& operator=(const MessageTable&) = delete;

    // Stores row.msg under category row.typeId with row.count; SQLite assigns the ID.
    virtual bool Insert(const MessageRow& row);
    // Stores `count` messages of category `typeId` with count 0, the i-th with the text textAt(i), in
    // order in one transaction; a message whose insert fails is left out alone ((*stored)[i] false).
    // False when the transaction could not be committed: then none is stored.
    virtual bool InsertAll(int32_t typeId,
                           size_t count,
                           const std::function<std::string_view(size_t)>& textAt,
                           std::vector<bool>* stored);
    // The category's messages in ascending ID, with ID and msg filled. False with errorCode 1 when the
    // table cannot be read; a category without messages gives true and no rows.
    virtual bool LoadByCategory(int32_t categoryId, std::vector<MessageRow>* rows, int* errorCode);
    // The same read for the texts only, each handed to `each` as it is read (the text is valid during
    // the call only), so that a large category needs no record per message. When the read breaks off,
    // false with errorCode 1 after some texts have been handed over.
    virtual bool LoadTextsByCategory(int32_t categoryId,
                                     const std::function<void(const std::string&)>& each,
                                     int* errorCode);
    virtual bool RemoveByCategory(int32_t categoryId);
    virtual bool Remove(const MessageRow& row);
    // Gives message row.ID the text row.msg (true also when no row has that ID).
    virtual bool UpdateText(const MessageRow& row);

private:
    StoreConnection connection_;
};
