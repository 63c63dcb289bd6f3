// Times the import of a UTF-8 file of 10,000 lines of about 40 Chinese characters each into an
// empty category (every insert in its own autocommit, as the program runs), and reports the peak
// memory of the process meanwhile.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/startup.h"
#include "app/text_codec.h"
#include "store/category_table.h"
#include "store/store_schema.h"
#include "tests/support/temp_working_directory.h"
#include "tools/bench_clock.h"
#include "ui/import_messages.h"
#include "ui/main_form.h"
#include "ui/main_window.h"
#include "ui/window_layer.h"

namespace {

double PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    const int lines = argc > 1 ? std::atoi(argv[1]) : 10000;
    TempWorkingDirectory scratch(argc > 2 ? argv[2] : "");  // argv[2]: another scratch base, e.g. a RAM disk

    const std::string line = AnsiToUtf8("您好，欢迎光临本店，请问有什么可以帮您？我们会尽快为您处理好订单，谢谢");
    {
        std::ofstream file(scratch.File("lines.txt"), std::ios::binary);
        for (int i = 0; i < lines; ++i) file << line << i << "\r\n";
    }
    EnsureSchema();
    InitGlobals();
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), OnWindowCreated);
    const double before = PeakMegabytes();
    const double start = NowMs();
    ImportText(mainForm.超级列表框_消息列表, ReadImportFile(scratch.File("lines.txt")), mainForm.选择夹_分类);
    const double elapsed = NowMs() - start;
    std::printf("import of %d lines (%zu bytes each): %.0f ms, %.2f ms per line; %d rows listed\n", lines,
                line.size() + 6, elapsed, elapsed / lines, ListRowCount(mainForm.超级列表框_消息列表));
    std::printf("peak working set: %.1f MB before the import, %.1f MB after\n", before, PeakMegabytes());

    DestroyWindow(window);
    CleanupAtExit();
    return 0;
}
