// Times the import of a UTF-8 file of lines of about 40 Chinese characters each into an empty
// category, stored and listed. Without arguments: 10,000 lines both ways, one autocommit INSERT per
// line (the way the import used to run) and the import as it runs now (one transaction), with the
// ratio. With a line count: that many lines the user's way (the button and the file dialog), and the
// peak working set the import adds to the process, against the file's size. A second argument puts
// the scratch folder under another base (for example a RAM disk).
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "app/startup.h"
#include "base/gbk_text.h"
#include "base/text_codec.h"
#include "store/category_table.h"
#include "store/message_table.h"
#include "store/store_schema.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_working_directory.h"
#include "tools/bench_clock.h"
#include "ui/import_messages.h"
#include "ui/main_form.h"
#include "ui/main_window.h"
#include "ui/message_list.h"
#include "ui/tab_strip.h"
#include "ui/window_layer.h"

namespace {

const double kMegabyte = 1024.0 * 1024.0;

PROCESS_MEMORY_COUNTERS MemoryCounters() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// The import as it ran before: every line listed, then stored by an INSERT that commits on its own.
void ImportLineByLine(HWND list, std::string utf8, HWND /*tabs*/) {
    const std::vector<std::string> lines = SplitText(Utf8ToGbk(utf8), "\r\n");
    AppendMessageRows(list, lines);
    CategoryRow category;
    categoryTable->FindByName(CurrentCategoryName(), &category);
    for (const std::string& line : lines) {
        messageTable->Insert(MessageRow{0, line, 0, category.ID});
    }
}

// The import as it runs now, on a text already read.
void ImportNow(HWND list, std::string utf8, HWND tabs) {
    ImportText(list, std::move(utf8), tabs);
}

using Importer = void (*)(HWND, std::string, HWND);

// Milliseconds of one import of `lines` lines with a fresh chat.db and window; prints the figures.
// Without an importer the user's way: a click on 按钮_导入消息, the file dialog answered with the
// file, which is then read as part of the import; and the peak working set the import reached above
// the level before it (the window up, the file not yet read), with the rows shown in the list.
double TimeImport(const char* way, Importer importer, int lines, const std::string& scratchBase) {
    TempWorkingDirectory scratch(scratchBase);
    const std::string line = AnsiToUtf8("您好，欢迎光临本店，请问有什么可以帮您？我们会尽快为您处理好订单，谢谢");
    size_t fileSize = 0;
    {
        std::ofstream file(scratch.File("lines.txt"), std::ios::binary);
        for (int i = 0; i < lines; ++i) {
            file << line << i << "\r\n";
        }
        fileSize = static_cast<size_t>(file.tellp());
    }
    EnsureSchema();
    InitGlobals();
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), OnWindowCreated);
    const double before = static_cast<double>(MemoryCounters().WorkingSetSize) / kMegabyte;
    double elapsed = 0;
    if (importer == nullptr) {
        ScriptedDialogs dialogs;
        dialogs.AnswerFile(scratch.File("lines.txt"));
        const double start = NowMs();
        SendMessageA(mainForm.按钮_导入消息, BM_CLICK, 0, 0);
        elapsed = NowMs() - start;
    } else {
        std::string text = ReadImportFile(scratch.File("lines.txt"));
        const double start = NowMs();
        importer(mainForm.超级列表框_消息列表, std::move(text), mainForm.选择夹_分类);
        elapsed = NowMs() - start;
    }
    const double peak = static_cast<double>(MemoryCounters().PeakWorkingSetSize) / kMegabyte;
    std::vector<MessageRow> stored;
    int errorCode = 0;
    messageTable->LoadByCategory(1, &stored, &errorCode);
    std::printf("import of %d lines (%zu bytes each), %s: %.0f ms, %.3f ms per line; %d rows listed, %zu stored\n",
                lines, line.size() + 6, way, elapsed, elapsed / lines, ListRowCount(mainForm.超级列表框_消息列表),
                stored.size());
    if (importer == nullptr) {
        const double file = static_cast<double>(fileSize) / kMegabyte;
        std::printf(
            "peak working set: %.1f MB before the import, %.1f MB at its peak: %.1f MB above, %.2f times the "
            "file of %.1f MB\n",
            before, peak, peak - before, (peak - before) / file, file);
    }
    DestroyWindow(window);
    CleanupAtExit();
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string scratchBase = argc > 2 ? argv[2] : "";
    if (argc > 1) {
        TimeImport("through the button and the file dialog", nullptr, std::atoi(argv[1]), scratchBase);
        return 0;
    }
    const double old = TimeImport("one autocommit per line", ImportLineByLine, 10000, scratchBase);
    const double now = TimeImport("one transaction", ImportNow, 10000, scratchBase);
    std::printf("import of 10000 lines: one transaction is %.1f times as fast as one autocommit per line\n", old / now);
    return 0;
}
