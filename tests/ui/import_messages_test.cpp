// Import through 按钮_导入消息 with the file dialog scripted, checked against the list and chat.db.
#include <windows.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <iterator>
#include <random>

#include "state/app_state.h"
#include "base/gbk_text.h"
#include "base/handles.h"
#include "base/text_codec.h"
#include "tests/ui/form_fixture.h"
#include "ui/import_messages.h"
#include "ui/main_form.h"
#include "ui/window_layer.h"

namespace {

const char kHello[] = "\xE4\xBD\xA0\xE5\xA5\xBD";   // 你好 in UTF-8
const char kThanks[] = "\xE8\xB0\xA2\xE8\xB0\xA2";  // 谢谢 in UTF-8

class ImportTest : public FormTest {
protected:
    void StartWithABC() {
        Seed({{1, "默认"}, {2, "业务"}}, {{1, "a"}, {1, "b"}, {1, "c"}, {2, "x"}});
        Start();
    }

    // Writes `bytes` to a file in the working directory and imports it through the button.
    void Import(const std::string& bytes, const std::string& name = "import.txt") {
        ASSERT_TRUE(WriteFileBytes(directory_.File(name), bytes));
        dialogs_.AnswerFile(directory_.File(name));
        Click(mainForm.按钮_导入消息);
    }
    // The same, answering the question about characters GBK cannot hold.
    void ImportAnswering(const std::string& bytes, DialogAnswer answer) {
        ASSERT_TRUE(WriteFileBytes(directory_.File("import.txt"), bytes));
        dialogs_.AnswerFile(directory_.File("import.txt"));
        answer == DialogAnswer::Ok ? dialogs_.AnswerOk() : dialogs_.AnswerCancel();
        Click(mainForm.按钮_导入消息);
    }
};

TEST_F(ImportTest, LinesAreAppendedNumberedFromOneAndStored) {
    StartWithABC();
    Import(std::string(kHello) + "\r\n" + kThanks + "\r\n");
    EXPECT_EQ((Rows{{"1", "a"}, {"2", "b"}, {"3", "c"}, {"1", "你好"}, {"2", "谢谢"}}), ListRows());
    EXPECT_EQ((RawRows{{"5", kHello, "0", "1"}, {"6", kThanks, "0", "1"}}), Stored("SELECT * FROM msg WHERE ID>4"));
    PickTab(1);
    PickTab(0);
    EXPECT_EQ(Numbered({"a", "b", "c", "你好", "谢谢"}), ListRows());
    EXPECT_TRUE(dialogs_.MessageTexts().empty()) << "the import never shows a message box";
    ExpectDockingPausedForDialogs();
}

TEST_F(ImportTest, TheDialogAsksForATextFileAndTheWorkingDirectoryComesBack) {
    StartWithABC();
    ASSERT_TRUE(WriteFileBytes(directory_.File("in.txt"), "one"));
    CreateDirectoryA(directory_.File("elsewhere").c_str(), nullptr);
    dialogs_.AnswerFile(directory_.File("in.txt"), directory_.File("elsewhere"));
    Click(mainForm.按钮_导入消息);

    ASSERT_EQ(1u, dialogs_.calls().size());
    const ScriptedDialogs::Call call = dialogs_.calls()[0];
    EXPECT_EQ(ScriptedDialogs::Kind::OpenFile, call.kind);
    EXPECT_EQ("打开文本文件,一行一个用换行符分割", call.caption);
    EXPECT_EQ(std::string("txt\0*.txt", 9), call.filter);
    EXPECT_EQ(directory_.path(), call.text) << "starts in the working directory";
    EXPECT_EQ(mainForm.window, call.owner);
    EXPECT_EQ(static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A), call.request.lStructSize);
    EXPECT_EQ(512u, call.request.nMaxFile);
    EXPECT_EQ(512u, call.request.nMaxFileTitle);
    EXPECT_EQ(1u, call.request.nFilterIndex);
    EXPECT_EQ(0u, call.request.Flags);

    char now[MAX_PATH];
    GetCurrentDirectoryA(sizeof now, now);
    EXPECT_EQ(directory_.path(), std::string(now)) << "chat.db must still be found where it was";
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "one"}), StoredTexts(1));
}

TEST_F(ImportTest, LineRulesOfTheFile) {
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> messages;
        bool asks;  // a character has no GBK form: the question is answered OK
    } cases[] = {
        {"blank line", "a\r\n\r\nb", {"a", "", "b"}, false},
        {"LF only", "a\nb", {"a\nb"}, false},
        {"no final CR LF", "a\r\nlast", {"a", "last"}, false},
        {"byte-order mark", std::string("\xEF\xBB\xBF") + kHello + "\r\nb", {"你好", "b"}, false},
        {"content ends at a zero byte", std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}, false},
        {"UTF-16 ends at its first zero byte", std::string("\xFF\xFEh\0i\0", 6), {"??h"}, true},
        {"empty file", "", {}, false},
        {"lines ending in the euro sign", "a\xE2\x82\xAC\r\n\xE2\x82\xAC\r\nb", {"a\x80", "\x80", "b"}, false},
        {"lines ending in U+F8F5", "a\xEF\xA3\xB5\r\nb", {"a\xFF", "b"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        DeleteFileA(Db().c_str());
        Seed({{1, "默认"}});
        Start();
        c.asks ? ImportAnswering(c.bytes, DialogAnswer::Ok) : Import(c.bytes);
        EXPECT_EQ(c.messages, StoredTexts(1));
        EXPECT_EQ(Numbered(c.messages), ListRows());
    }
}

TEST_F(ImportTest, InvalidUtf8IsImportedAsDecodedWithoutLosingTheRest) {
    Seed({{1, "默认"}});
    Start();
    ImportAnswering(std::string("ok\r\n\xFF\xC3(bad\r\n") + kThanks, DialogAnswer::Ok);
    const std::vector<std::string> stored = StoredTexts(1);
    ASSERT_EQ(3u, stored.size());
    EXPECT_EQ("ok", stored[0]);
    EXPECT_EQ("bad", stored[1].substr(stored[1].size() - 3));
    EXPECT_EQ('?', stored[1][0]);
    EXPECT_EQ("谢谢", stored[2]);
}

// Lines with characters GBK cannot hold (an emoji, or the bytes of a file that is not UTF-8) are
// counted before anything is stored, and the user is asked once whether to import them as "?".
TEST_F(ImportTest, CharactersWithoutAGbkFormAreAskedAboutFirst) {
    const char kThumbsUp[] = "\xF0\x9F\x91\x8D";  // U+1F44D
    const std::string emoji = std::string(kHello) + kThumbsUp + "\r\n" + kThanks + "\r\n" + kThumbsUp + kThumbsUp;
    const std::string gbkFile = "\xC4\xE3\xBA\xC3\r\nok";  // 你好, ok in GBK
    const struct {
        const char* name;
        std::string bytes;
        int answer;         // 0: no question expected, 1: OK, 2: Cancel
        const char* asked;  // the count in the question
        std::vector<std::string> imported;
    } cases[] = {
        {"every character kept", std::string(kHello) + "\r\n" + kThanks, 0, "", {"你好", "谢谢"}},
        {"emoji, OK", emoji, 1, "2", {"你好??", "谢谢", "????"}},
        {"emoji, Cancel", emoji, 2, "2", {}},
        {"a GBK file, Cancel", gbkFile, 2, "1", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        DeleteFileA(Db().c_str());
        Seed({{1, "默认"}}, {{1, "a"}});
        Start();
        const size_t before = dialogs_.calls().size();
        if (c.answer == 0) Import(c.bytes);
        if (c.answer != 0) ImportAnswering(c.bytes, c.answer == 1 ? DialogAnswer::Ok : DialogAnswer::Cancel);

        std::vector<ScriptedDialogs::Call> questions;
        const std::vector<ScriptedDialogs::Call> calls = dialogs_.calls();
        for (size_t i = before; i < calls.size(); ++i) {
            if (calls[i].kind == ScriptedDialogs::Kind::Message) questions.push_back(calls[i]);
        }
        ASSERT_EQ(c.answer == 0 ? 0u : 1u, questions.size());
        if (c.answer != 0) {
            EXPECT_EQ(std::string("有 ") + c.asked +
                          " 行含有本程序无法保存的字符(例如表情符号),这些字符将保存为“?”。仍然导入吗?",
                      questions[0].text);
            EXPECT_EQ("信息：", questions[0].caption);
            EXPECT_EQ(MessageButtons::OkCancel, questions[0].buttons);
        }
        std::vector<std::string> stored = {"a"};
        stored.insert(stored.end(), c.imported.begin(), c.imported.end());
        EXPECT_EQ(stored, StoredTexts(1));
        Rows listed = {{"1", "a"}};
        for (const auto& row : Numbered(c.imported))
            listed.push_back(row);
        EXPECT_EQ(listed, ListRows());
        ExpectDockingPausedForDialogs();
    }
}

// The import converts the file line by line; whatever the bytes, valid UTF-8 or not, its lines are
// those of converting the whole text and cutting it at each CR LF between two characters.
TEST(ImportLines, AreThoseOfTheWholeTextConvertedAndCut) {
    const char* const pieces[] = {"\r",   "\n",   "\r\n", "a",    kHello, "\xF0\x9F\x91\x8D", "\xF0", "\x9F",
                                  "\xE4", "\xB8", "\xC3", "\xFF", "\x80", "\xEF\xBB\xBF",     "?",    "\xE2\x82\xAC"};
    std::vector<std::string> texts = {
        "\xF0"
        "A\r\nb",
        "\xF0\r\nb",
        "\xF0\r\n",
        "a\xE4\xB8\r\nb",
        "\xF0\x9F\r\n\r\n",
        "\xE4\r\n\xB8",
    };
    std::mt19937 random(17);
    while (texts.size() < 3000) {
        std::string text;
        for (size_t n = random() % 14; n > 0; --n)
            text += pieces[random() % std::size(pieces)];
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        std::string converted = text;
        std::vector<TextSpan> spans;
        size_t replaced = 0;
        ASSERT_TRUE(ConvertImportLines(&converted, 0, &spans, &replaced));
        std::vector<std::string> lines;
        for (const TextSpan& span : spans)
            lines.push_back(converted.substr(span.offset, span.length));
        EXPECT_EQ(SplitText(Utf8ToGbk(text), "\r\n"), lines) << testing::PrintToString(text);
    }
}

TEST_F(ImportTest, CancelMissingFileAndLockedFileImportNothing) {
    StartWithABC();
    dialogs_.AnswerCancel();
    Click(mainForm.按钮_导入消息);
    dialogs_.AnswerFile(directory_.File("missing.txt"));
    Click(mainForm.按钮_导入消息);

    // Another writer holds the file open: nothing is read, nothing already stored is touched.
    ASSERT_TRUE(WriteFileBytes(directory_.File("busy.txt"), "x\r\ny"));
    UniqueHandle writer = AdoptFileHandle(CreateFileA(directory_.File("busy.txt").c_str(), GENERIC_WRITE,
                                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer);
    dialogs_.AnswerFile(directory_.File("busy.txt"));
    Click(mainForm.按钮_导入消息);

    EXPECT_EQ(Numbered({"a", "b", "c"}), ListRows());
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), StoredTexts(1));
    EXPECT_TRUE(dialogs_.MessageTexts().empty());
    ExpectDockingPausedForDialogs();
}

// The file is stored in one transaction, and the list shows only what is stored: a line the store
// refuses is left out alone; when the commit fails (another connection still reading chat.db) nothing
// of the file is stored and the list shows the store again.
TEST_F(ImportTest, TheListShowsOnlyStoredLines) {
    StartWithABC();
    RawExecute(Db(),
               "CREATE TRIGGER refuse BEFORE INSERT ON msg WHEN NEW.msg='bad' BEGIN SELECT RAISE(ABORT, 'no'); END");
    Import("x\r\nbad\r\ny\r\n");
    EXPECT_EQ((Rows{{"1", "a"}, {"2", "b"}, {"3", "c"}, {"1", "x"}, {"2", "y"}}), ListRows());
    EXPECT_EQ((RawRows{{"5", "x", "0", "1"}, {"6", "y", "0", "1"}}), Stored("SELECT * FROM msg WHERE ID>4"));

    sqlite3* raw = nullptr;
    sqlite3_open(AnsiToUtf8(Db()).c_str(), &raw);
    SqliteDatabase reader(raw);
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(raw, "BEGIN; SELECT COUNT(*) FROM msg", nullptr, nullptr, nullptr));
    Import("p\r\nq\r\n");
    reader.reset();
    EXPECT_EQ(Numbered({"a", "b", "c", "x", "y"}), ListRows());
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "x", "y"}), StoredTexts(1));
    EXPECT_TRUE(dialogs_.MessageTexts().empty());
}

TEST_F(ImportTest, TheSameFileTwiceStoresEveryLineTwice) {
    Seed({{1, "默认"}, {2, "业务"}});
    Start();
    PickTab(1);
    Import("a\r\nb\r\n");
    Import("a\r\nb\r\n");
    EXPECT_EQ((std::vector<std::string>{"a", "b", "a", "b"}), StoredTexts(2));
    EXPECT_EQ((Rows{{"1", "a"}, {"2", "b"}, {"1", "a"}, {"2", "b"}}), ListRows());
    EXPECT_TRUE(StoredTexts(1).empty());
}

}  // namespace
