#include "store/store_connection.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "store/format_sql.h"
#include "store/store_schema.h"
#include "tests/support/raw_store.h"
#include "tests/support/temp_working_directory.h"

namespace {

class StoreConnectionTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(connection_.Open(StorePath()));
        ASSERT_TRUE(connection_.Execute("CREATE TABLE t (ID INTEGER PRIMARY KEY, a TEXT, b INT, c TEXT)"));
    }

    std::string DbPath() const { return directory_.File("chat.db"); }

    TempWorkingDirectory directory_;
    StoreConnection connection_;
};

TEST_F(StoreConnectionTest, StorePathIsChatDbInTheWorkingDirectory) {
    EXPECT_EQ(directory_.path() + "\\chat.db", StorePath());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(DbPath().c_str()));
}

TEST_F(StoreConnectionTest, ExecuteReportsExactlySqliteSuccess) {
    EXPECT_TRUE(connection_.Execute("UPDATE t SET a='x' WHERE ID=12345")) << "no matching row is a success";
    EXPECT_TRUE(connection_.Execute("DELETE FROM t WHERE ID=12345"));
    EXPECT_FALSE(connection_.Execute("UPDATE nosuchtable SET a=1"));
    EXPECT_FALSE(connection_.Execute("THIS IS NOT SQL"));
    EXPECT_FALSE(connection_.Execute(""));
    connection_.Close();
    EXPECT_FALSE(connection_.IsOpen());
    EXPECT_FALSE(connection_.Execute("SELECT 1"));
    connection_.Close();  // closing twice is harmless
}

TEST_F(StoreConnectionTest, OpenFailureLeavesTheConnectionClosed) {
    StoreConnection other;
    EXPECT_FALSE(other.Open(directory_.File("missing-folder\\chat.db")));
    EXPECT_FALSE(other.IsOpen());
    EXPECT_FALSE(other.Execute("SELECT 1"));
    StoreCursor cursor = other.Query("SELECT 1");
    EXPECT_FALSE(cursor.Step());
    EXPECT_EQ(0, cursor.ReadInteger("1"));
}

TEST_F(StoreConnectionTest, CursorReadsColumnsByNameIgnoringAsciiCase) {
    ASSERT_TRUE(connection_.Execute("INSERT INTO t (ID, a, b, c) VALUES (7, 'seven', 70, NULL)"));
    StoreCursor cursor = connection_.Query("SELECT * FROM t");
    EXPECT_EQ(0, cursor.ReadInteger("ID")) << "no row is current before the first Step";
    ASSERT_TRUE(cursor.Step());
    EXPECT_EQ(7, cursor.ReadInteger("id"));
    EXPECT_EQ("seven", cursor.ReadText("A"));
    EXPECT_EQ(70, cursor.ReadInteger("b"));
    EXPECT_EQ("70", cursor.ReadText("B"));
    EXPECT_EQ("", cursor.ReadText("c"));
    EXPECT_EQ("", cursor.ReadText("nosuch"));
    EXPECT_EQ(0, cursor.ReadInteger("nosuch"));
    EXPECT_FALSE(cursor.Step());
    EXPECT_EQ("", cursor.ReadText("a")) << "no row is current after the last one";

    StoreCursor broken = connection_.Query("SELECT * FROM nosuchtable");
    EXPECT_FALSE(broken.IsPrepared());
    EXPECT_FALSE(broken.Step());
    EXPECT_EQ("", broken.ReadText("a"));
}

TEST_F(StoreConnectionTest, InsertRowPutsGivenColumnsInDeclaredOrderAndBindsValues) {
    // Given out of order, with a quote and SQL in the text: everything is bound, nothing interpreted.
    EXPECT_TRUE(connection_.InsertRow("t", {{"c", StoreValue::Text("it's'); DROP TABLE t; --")},
                                            {"b", StoreValue::Integer(-5)},
                                            {"a", StoreValue::Text("回复")}}));
    EXPECT_EQ((RawRows{{"1", u8"回复", "-5", "it's'); DROP TABLE t; --"}}), RawQuery(DbPath(), "SELECT * FROM t"));

    EXPECT_TRUE(connection_.InsertRow("t", {{"ID", StoreValue::Integer(9)}}));
    EXPECT_FALSE(connection_.InsertRow("t", {{"ID", StoreValue::Integer(9)}})) << "duplicate primary key";
    EXPECT_FALSE(connection_.InsertRow("t", {{"nosuch", StoreValue::Integer(1)}}));
    EXPECT_FALSE(connection_.InsertRow("nosuchtable", {{"a", StoreValue::Integer(1)}}));
    EXPECT_EQ(RawRows{{"2"}}, RawQuery(DbPath(), "SELECT COUNT(*) FROM t"));
}

TEST_F(StoreConnectionTest, ReadAllRowsGivesEveryColumnAsTextInRowidOrder) {
    ASSERT_TRUE(connection_.Execute("INSERT INTO t VALUES (3, 'three', 3, NULL)"));
    ASSERT_TRUE(connection_.Execute("INSERT INTO t VALUES (1, 'one', 1, 'x')"));
    ASSERT_TRUE(connection_.Execute("INSERT INTO t VALUES (2, 'two', 2, 'y')"));
    std::vector<std::vector<std::string>> rows;
    ASSERT_TRUE(connection_.ReadAllRows("t", &rows));
    const std::vector<std::vector<std::string>> expected = {
        {"1", "one", "1", "x"}, {"2", "two", "2", "y"}, {"3", "three", "3", ""}};
    EXPECT_EQ(expected, rows);

    std::vector<std::vector<std::string>> none;
    EXPECT_FALSE(connection_.ReadAllRows("nosuchtable", &none));
    EXPECT_TRUE(none.empty());
}

TEST_F(StoreConnectionTest, HasRowWhereEvaluatesTheCondition) {
    EXPECT_FALSE(connection_.HasRowWhere("t", "ID>0"));
    ASSERT_TRUE(connection_.Execute("INSERT INTO t (ID, a) VALUES (4, 'x')"));
    EXPECT_TRUE(connection_.HasRowWhere("t", "ID>0"));
    EXPECT_FALSE(connection_.HasRowWhere("t", "ID>4"));
    EXPECT_FALSE(connection_.HasRowWhere("nosuchtable", "1"));
}

TEST_F(StoreConnectionTest, TextsRoundTripByteForByte) {
    std::string longText;
    std::string longUtf8;
    for (int i = 0; longText.size() < 100000; ++i) {
        longText += (i % 3 == 0) ? "乗" : (i % 3 == 1) ? "回复, " : "\r\n";  // 乗 ends in 0x5C
        longUtf8 += (i % 3 == 0) ? u8"乗" : (i % 3 == 1) ? u8"回复, " : "\r\n";
    }
    const struct {
        std::string text, utf8;
    } cases[] = {
        {"你好，欢迎光临！", u8"你好，欢迎光临！"},
        {"\xA1\xA1 full-width space", u8"\u3000 full-width space"},
        {"it's", "it's"},
        {longText, longUtf8},
    };
    for (const auto& c : cases) {
        const std::string& text = c.text;
        ASSERT_TRUE(connection_.Execute("DELETE FROM t"));
        ASSERT_TRUE(connection_.InsertRow("t", {{"a", StoreValue::Text(text)}}));
        StoreCursor cursor = connection_.Query("SELECT a FROM t");
        ASSERT_TRUE(cursor.Step());
        const std::string back = cursor.ReadText("a");
        EXPECT_EQ(text.size(), back.size());
        EXPECT_TRUE(text == back) << "text of " << text.size() << " bytes changed";
        EXPECT_EQ(RawRows{{c.utf8}}, RawQuery(DbPath(), "SELECT a FROM t")) << "stored as UTF-8";
    }
}

TEST_F(StoreConnectionTest, StatementTextsAreConvertedToUtf8) {
    ASSERT_TRUE(connection_.Execute("INSERT INTO t (a) VALUES ('分类')"));
    EXPECT_EQ(RawRows{{u8"分类"}}, RawQuery(DbPath(), "SELECT a FROM t"));
    EXPECT_TRUE(connection_.HasRowWhere("t", "a='分类'"));
    StoreCursor cursor = connection_.Query("SELECT a FROM t WHERE a=?", {StoreValue::Text("分类")});
    ASSERT_TRUE(cursor.Step());
    EXPECT_EQ("分类", cursor.ReadText("a"));
}

TEST_F(StoreConnectionTest, ParameterCountMustMatch) {
    EXPECT_FALSE(connection_.Execute("UPDATE t SET a=? WHERE ID=?", {StoreValue::Text("x")}));
    EXPECT_FALSE(connection_.Query("SELECT * FROM t WHERE a=?").IsPrepared());
}

TEST(FormatSql, FillsPlaceholdersInOrderWithoutQuotingOrRescanning) {
    EXPECT_EQ("DELETE FROM msg WHERE ID=42", FormatSql("DELETE FROM msg WHERE ID=%d", {42}));
    EXPECT_EQ("DELETE FROM msg WHERE ID=-7", FormatSql("DELETE FROM msg WHERE ID=%d", {-7}));
    EXPECT_EQ("UPDATE type set name='it's' WHERE ID=3",
              FormatSql("UPDATE type set name='%s' WHERE ID=%d", {"it's", 3}));
    EXPECT_EQ("SELECT '%d' , 5", FormatSql("SELECT '%s' , %d", {"%d", 5}));
    EXPECT_EQ("x=1 y=%d", FormatSql("x=%d y=%d", {1}));
    EXPECT_EQ("100% sure", FormatSql("100% sure", {}));
}

}  // namespace
