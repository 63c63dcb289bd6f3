#include <gtest/gtest.h>

#include "store/category_table.h"
#include "store/config_table.h"
#include "store/message_table.h"
#include "store/store_schema.h"
#include "tests/support/raw_store.h"
#include "tests/support/temp_working_directory.h"

namespace {

class TableAccessorsTest : public testing::Test {
protected:
    void SetUp() override { EnsureSchema(); }

    std::string DbPath() const { return directory_.File("chat.db"); }

    std::vector<CategoryRow> LoadCategories(bool expectSuccess = true) {
        std::vector<CategoryRow> rows;
        int errorCode = 0;
        EXPECT_EQ(expectSuccess, categories_.LoadAll(&rows, &errorCode));
        return rows;
    }

    std::vector<std::string> MessageTexts(int32_t categoryId) {
        std::vector<MessageRow> rows;
        int errorCode = 0;
        EXPECT_TRUE(messages_.LoadByCategory(categoryId, &rows, &errorCode));
        std::vector<std::string> texts;
        for (const MessageRow& row : rows)
            texts.push_back(row.msg);
        // The lean read of the texts alone hands over the very same texts in the same order.
        std::vector<std::string> handed;
        EXPECT_TRUE(messages_.LoadTextsByCategory(
            categoryId, [&handed](const std::string& text) { handed.push_back(text); }, &errorCode));
        EXPECT_EQ(texts, handed);
        return texts;
    }

    void AddMessage(const std::string& text, int32_t categoryId) {
        MessageRow row;
        row.msg = text;
        row.typeId = categoryId;
        ASSERT_TRUE(messages_.Insert(row));
    }

    TempWorkingDirectory directory_;
    CategoryTable categories_;
    MessageTable messages_;
    ConfigTable config_;
};

TEST_F(TableAccessorsTest, LoadAllOnAnEmptyTableReportsNoCategory) {
    std::vector<CategoryRow> rows;
    int errorCode = 0;
    EXPECT_FALSE(categories_.LoadAll(&rows, &errorCode));
    EXPECT_EQ(2, errorCode);
    EXPECT_TRUE(rows.empty());
}

TEST_F(TableAccessorsTest, CategoriesComeBackInAscendingId) {
    RawExecute(DbPath(), u8"INSERT INTO type VALUES (5, '闲聊')");
    RawExecute(DbPath(), u8"INSERT INTO type VALUES (2, '业务')");
    CategoryRow added;
    added.name = "笑话";
    ASSERT_TRUE(categories_.Insert(added));
    EXPECT_EQ(0, added.ID) << "Insert does not write the new ID back";

    const std::vector<CategoryRow> rows = LoadCategories();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(2, rows[0].ID);
    EXPECT_EQ("业务", rows[0].name);
    EXPECT_EQ(5, rows[1].ID);
    EXPECT_EQ("闲聊", rows[1].name);
    EXPECT_EQ(6, rows[2].ID) << "one more than the largest ID in use";
    EXPECT_EQ("笑话", rows[2].name);
}

TEST_F(TableAccessorsTest, FindByNameIsExact) {
    for (const char* name : {"Work", "默认", "a ", ""}) {
        ASSERT_TRUE(categories_.Insert(CategoryRow{0, name}));
    }
    const struct {
        const char* name;
        int32_t id;
    } cases[] = {
        {"Work", 1}, {"work", 0}, {"默认", 2}, {"默认 ", 0}, {"\xA3\xD7ork", 0} /* full-width W */,
        {"a ", 3},   {"a", 0},    {"", 4},
    };
    for (const auto& c : cases) {
        CategoryRow row;
        EXPECT_EQ(c.id > 0, categories_.FindByName(c.name, &row)) << "'" << c.name << "'";
        EXPECT_EQ(c.id, row.ID) << "'" << c.name << "'";
        EXPECT_EQ(c.id > 0 ? std::string(c.name) : std::string(), row.name);
    }
}

TEST_F(TableAccessorsTest, FindByNameTakesTheFirstOfEqualNames) {
    RawExecute(DbPath(), "INSERT INTO type VALUES (8, 'twin'), (3, 'twin')");
    CategoryRow row;
    EXPECT_TRUE(categories_.FindByName("twin", &row));
    EXPECT_EQ(3, row.ID);
}

TEST_F(TableAccessorsTest, RenameAndRemoveOfAMissingIdSucceedAndChangeNothing) {
    ASSERT_TRUE(categories_.Insert(CategoryRow{0, "keep"}));
    EXPECT_TRUE(categories_.Rename(CategoryRow{99, "other"}));
    EXPECT_TRUE(categories_.Remove(CategoryRow{99, ""}));
    EXPECT_EQ((RawRows{{"1", "keep"}}), RawQuery(DbPath(), "SELECT * FROM type"));

    EXPECT_TRUE(categories_.Rename(CategoryRow{1, "新名字"}));
    EXPECT_EQ((RawRows{{"1", u8"新名字"}}), RawQuery(DbPath(), "SELECT * FROM type"));
    EXPECT_TRUE(categories_.Remove(CategoryRow{1, ""}));
    EXPECT_EQ(RawRows{}, RawQuery(DbPath(), "SELECT * FROM type"));
}

// Texts with apostrophes are ordinary texts: stored, found, renamed and edited. A text written to break
// out of a quoted literal touches no other row.
TEST_F(TableAccessorsTest, ApostrophesAreOrdinaryCharacters) {
    ASSERT_TRUE(categories_.Insert(CategoryRow{0, "Don't panic"}));
    ASSERT_TRUE(categories_.Insert(CategoryRow{0, "other"}));
    CategoryRow found;
    ASSERT_TRUE(categories_.FindByName("Don't panic", &found));
    EXPECT_EQ(1, found.ID);

    EXPECT_TRUE(categories_.Rename(CategoryRow{1, "It's fine"}));
    CategoryRow renamed;
    EXPECT_TRUE(categories_.FindByName("It's fine", &renamed));
    EXPECT_EQ(1, renamed.ID);

    CategoryRow injected;
    EXPECT_FALSE(categories_.FindByName("x' OR '1'='1", &injected));
    EXPECT_EQ(0, injected.ID);
    EXPECT_TRUE(categories_.Rename(CategoryRow{1, "a' WHERE 1=1 --"}));
    EXPECT_EQ((RawRows{{"1", "a' WHERE 1=1 --"}, {"2", "other"}}),
              RawQuery(DbPath(), "SELECT * FROM type ORDER BY ID"));

    AddMessage("first", 1);
    AddMessage("second", 1);
    EXPECT_TRUE(messages_.UpdateText(MessageRow{1, "we'll call you', msg='hacked", 0, 0}));
    EXPECT_EQ((std::vector<std::string>{"we'll call you', msg='hacked", "second"}), MessageTexts(1));

    ASSERT_TRUE(config_.Insert(ConfigRow{"o'clock", "5'6"}));
    ConfigRow setting;
    EXPECT_TRUE(config_.Get("o'clock", &setting));
    EXPECT_EQ("5'6", setting.value);
}

TEST_F(TableAccessorsTest, MessagesLoadPerCategoryInAscendingId) {
    AddMessage("a1", 1);
    AddMessage("b1", 2);
    AddMessage("a2", 1);
    AddMessage("零", 0);
    std::vector<MessageRow> rows;
    int errorCode = 0;
    ASSERT_TRUE(messages_.LoadByCategory(1, &rows, &errorCode));
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(1, rows[0].ID);
    EXPECT_EQ("a1", rows[0].msg);
    EXPECT_EQ(3, rows[1].ID);
    EXPECT_EQ("a2", rows[1].msg);
    EXPECT_EQ(0, rows[1].count) << "count and typeid are not read";
    EXPECT_EQ(0, rows[1].typeId);
    EXPECT_EQ(std::vector<std::string>{"零"}, MessageTexts(0));
    EXPECT_TRUE(MessageTexts(77).empty());

    EXPECT_EQ((RawRows{{"1", "a1", "0", "1"}, {"2", "b1", "0", "2"}, {"3", "a2", "0", "1"}, {"4", u8"零", "0", "0"}}),
              RawQuery(DbPath(), "SELECT * FROM msg"));
}

TEST_F(TableAccessorsTest, MessageRemoveUpdateAndRemoveByCategory) {
    AddMessage("a1", 1);
    AddMessage("a2", 1);
    AddMessage("b1", 2);
    EXPECT_TRUE(messages_.UpdateText(MessageRow{2, "改过了", 0, 0}));
    EXPECT_TRUE(messages_.UpdateText(MessageRow{99, "nobody", 0, 0}));
    EXPECT_EQ((std::vector<std::string>{"a1", "改过了"}), MessageTexts(1));
    EXPECT_TRUE(messages_.Remove(MessageRow{1, "", 0, 0}));
    EXPECT_TRUE(messages_.Remove(MessageRow{99, "", 0, 0}));
    EXPECT_EQ(std::vector<std::string>{"改过了"}, MessageTexts(1));
    EXPECT_TRUE(messages_.RemoveByCategory(1));
    EXPECT_TRUE(MessageTexts(1).empty());
    EXPECT_EQ(std::vector<std::string>{"b1"}, MessageTexts(2));
}

TEST_F(TableAccessorsTest, ConfigGetAndInsertWithoutOverwrite) {
    ConfigRow missing;
    EXPECT_FALSE(config_.Get("identify", &missing));
    EXPECT_EQ("", missing.key);
    EXPECT_EQ("", missing.value);

    EXPECT_TRUE(config_.Insert(ConfigRow{"identify", "d41d8cd98f00b204e9800998ecf8427e"}));
    EXPECT_FALSE(config_.Insert(ConfigRow{"identify", "other"})) << "a stored key is never replaced";
    ConfigRow row;
    EXPECT_TRUE(config_.Get("identify", &row));
    EXPECT_EQ("identify", row.key);
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", row.value);
    EXPECT_FALSE(config_.Get("IDENTIFY", &row)) << "keys are compared exactly";
}

}  // namespace
