// A 50 MB import file of 500,000 lines: no crash, every line stored in order and listed. It writes a
// file of 50 MB and takes a few seconds, so the test carries the CTest label "large"
// (./test.sh -L large).
#include <windows.h>

#include <gtest/gtest.h>

#include "app/startup.h"
#include "base/text_codec.h"
#include "store/store_schema.h"
#include "tests/support/raw_store.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_working_directory.h"
#include "ui/main_form.h"
#include "ui/main_window.h"
#include "ui/window_layer.h"

namespace {

// A RAM disk when Wine maps one, so that writing the 50 MB file and the store does not wait on the disk.
std::string ScratchBase() {
    return GetFileAttributesA("Z:\\dev\\shm") != INVALID_FILE_ATTRIBUTES ? "Z:\\dev\\shm" : std::string();
}

TEST(ImportLarge, FiftyMegabytesOfHalfAMillionLinesAreAllStored) {
    TempWorkingDirectory directory(ScratchBase());
    ScriptedDialogs dialogs;
    const int kLines = 500000;
    const std::string body = AnsiToUtf8("第") + std::string(80, 'x') + AnsiToUtf8("行回复内容") + "#";
    std::string file;
    file.reserve(static_cast<size_t>(kLines) * (body.size() + 9));
    for (int i = 0; i < kLines; ++i) {
        file += body + std::to_string(i) + "\r\n";
    }
    ASSERT_GE(file.size(), 50u * 1000 * 1000);
    ASSERT_TRUE(WriteFileBytes(directory.File("big.txt"), file));
    file.clear();
    file.shrink_to_fit();

    InitGlobals();
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), OnWindowCreated);
    dialogs.AnswerFile(directory.File("big.txt"));
    SendMessageA(mainForm.按钮_导入消息, BM_CLICK, 0, 0);

    EXPECT_EQ(kLines, ListRowCount(mainForm.超级列表框_消息列表));
    EXPECT_EQ(Utf8ToAnsi(body + std::to_string(kLines - 1)), ListCell(mainForm.超级列表框_消息列表, kLines - 1, 1));
    EXPECT_EQ(std::to_string(kLines), ListCell(mainForm.超级列表框_消息列表, kLines - 1, 0));
    const std::string db = directory.File("chat.db");
    EXPECT_EQ((RawRows{{std::to_string(kLines), std::to_string(kLines)}}),
              RawQuery(db, "SELECT COUNT(*), COUNT(DISTINCT msg) FROM msg WHERE typeid=1"));
    for (int i : {0, 1, kLines / 2, kLines - 1}) {
        EXPECT_EQ((RawRows{{body + std::to_string(i)}}),
                  RawQuery(db, "SELECT msg FROM msg WHERE ID=" + std::to_string(i + 1)));
    }
    EXPECT_TRUE(dialogs.MessageTexts().empty());
    DestroyWindow(window);
    CleanupAtExit();
}

}  // namespace
