// What the store does when chat.db cannot serve it: every operation reports failure, nothing is
// retried, nothing on disk is changed behind the user's back.
#include <windows.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "base/handles.h"
#include "base/text_codec.h"
#include "store/category_table.h"
#include "store/config_table.h"
#include "store/message_table.h"
#include "store/store_schema.h"
#include "tests/support/raw_store.h"
#include "tests/support/temp_working_directory.h"

namespace {

struct Outcomes {
    bool loadAll;
    int loadAllError;
    bool loadMessages;
    int loadMessagesError;
    bool loadTexts;
    int loadTextsError;
    size_t textsHanded;
    bool insertCategory;
    bool insertMessage;
    bool insertConfig;
    bool findByName;
    int32_t foundId;
    bool getConfig;
    std::string gotKey;
};

Outcomes RunEveryOperation() {
    CategoryTable categories;
    MessageTable messages;
    ConfigTable config;
    Outcomes o{};
    std::vector<CategoryRow> categoryRows;
    o.loadAll = categories.LoadAll(&categoryRows, &o.loadAllError);
    std::vector<MessageRow> messageRows;
    o.loadMessages = messages.LoadByCategory(1, &messageRows, &o.loadMessagesError);
    o.loadTexts = messages.LoadTextsByCategory(
        1, [&o](const std::string&) { ++o.textsHanded; }, &o.loadTextsError);
    o.insertCategory = categories.Insert(CategoryRow{0, "new"});
    MessageRow message;
    message.msg = "m";
    o.insertMessage = messages.Insert(message);
    o.insertConfig = config.Insert(ConfigRow{"k", "v"});
    CategoryRow found;
    o.findByName = categories.FindByName("x", &found);
    o.foundId = found.ID;
    ConfigRow got;
    o.getConfig = config.Get("identify", &got);
    o.gotKey = got.key;
    return o;
}

void ExpectEverythingFailed(const Outcomes& o) {
    EXPECT_FALSE(o.loadAll);
    EXPECT_EQ(1, o.loadAllError);
    EXPECT_FALSE(o.loadMessages);
    EXPECT_EQ(1, o.loadMessagesError);
    EXPECT_FALSE(o.loadTexts);
    EXPECT_EQ(1, o.loadTextsError);
    EXPECT_EQ(0u, o.textsHanded);
    EXPECT_FALSE(o.insertCategory);
    EXPECT_FALSE(o.insertMessage);
    EXPECT_FALSE(o.insertConfig);
    EXPECT_FALSE(o.findByName);
    EXPECT_EQ(0, o.foundId);
    EXPECT_FALSE(o.getConfig);
    EXPECT_EQ("", o.gotKey);
}

TEST(StoreFailures, FileThatIsNotADatabaseFailsEveryOperationAndStaysUnchanged) {
    TempWorkingDirectory directory;
    std::string noise(4096, '\0');
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 7919u + 13u) % 251u);
    ASSERT_TRUE(WriteFileBytes(directory.File("chat.db"), noise));

    EnsureSchema();
    ExpectEverythingFailed(RunEveryOperation());
    EXPECT_EQ(noise, ReadFileBytes(directory.File("chat.db")));
}

TEST(StoreFailures, StoreThatCannotBeOpenedFailsEveryOperation) {
    TempWorkingDirectory directory;
    // A folder where the file should be: SQLite cannot open it as a database.
    ASSERT_TRUE(CreateDirectoryA(directory.File("chat.db").c_str(), nullptr));
    EnsureSchema();
    ExpectEverythingFailed(RunEveryOperation());
}

TEST(StoreFailures, TablesWithOtherColumnsAreLeftAsTheyAre) {
    TempWorkingDirectory directory;
    const std::string db = directory.File("chat.db");
    RawExecute(db, "CREATE TABLE type (ID INTEGER PRIMARY KEY, label TEXT, extra INT)");
    RawExecute(db, "CREATE TABLE msg (ID INTEGER PRIMARY KEY, body TEXT)");
    RawExecute(db, "INSERT INTO type VALUES (1, 'old', 5)");
    const RawRows schemaBefore = RawQuery(db, "SELECT name, sql FROM sqlite_master ORDER BY name");

    EnsureSchema();
    const RawRows schemaAfter =
        RawQuery(db, "SELECT name, sql FROM sqlite_master WHERE tbl_name<>'config' ORDER BY name");
    EXPECT_EQ(schemaBefore, schemaAfter) << "existing tables are not migrated";

    CategoryTable categories;
    MessageTable messages;
    EXPECT_FALSE(categories.Insert(CategoryRow{0, "x"})) << "no column `name`";
    CategoryRow found;
    EXPECT_FALSE(categories.FindByName("old", &found));
    MessageRow message;
    message.msg = "m";
    EXPECT_FALSE(messages.Insert(message)) << "no columns `msg`, `count`, `typeid`";
    std::vector<MessageRow> rows;
    int errorCode = 0;
    EXPECT_FALSE(messages.LoadByCategory(1, &rows, &errorCode)) << "no column `typeid` to select on";
    EXPECT_FALSE(messages.LoadTextsByCategory(
        1, [](const std::string&) {}, &errorCode));
    EXPECT_EQ((RawRows{{"1", "old", "5"}}), RawQuery(db, "SELECT * FROM type"));
}

// Another program holding chat.db locked: every statement fails at once, there is no busy wait.
TEST(StoreFailures, LockedDatabaseFailsAtOnceAndRecovers) {
    TempWorkingDirectory directory;
    EnsureSchema();
    CategoryTable categories;
    MessageTable messages;
    ASSERT_TRUE(categories.Insert(CategoryRow{0, "默认"}));

    sqlite3* raw = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(AnsiToUtf8(directory.File("chat.db")).c_str(), &raw));
    SqliteDatabase other(raw);
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(raw, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr));

    const DWORD start = GetTickCount();
    std::vector<CategoryRow> rows;
    int errorCode = 0;
    EXPECT_FALSE(categories.LoadAll(&rows, &errorCode));
    EXPECT_EQ(1, errorCode);
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(categories.Insert(CategoryRow{0, "second"}));
    EXPECT_FALSE(categories.Rename(CategoryRow{1, "renamed"}));
    MessageRow message;
    message.msg = "m";
    EXPECT_FALSE(messages.Insert(message));
    // Five failures at once take milliseconds; a busy time-out of even one second would take five.
    EXPECT_LT(GetTickCount() - start, 4000u) << "a lock must not be waited on";

    ASSERT_EQ(SQLITE_OK, sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr));
    other.reset();
    rows.clear();
    ASSERT_TRUE(categories.LoadAll(&rows, &errorCode));
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("默认", rows[0].name) << "the failed rename changed nothing";
}

}  // namespace
