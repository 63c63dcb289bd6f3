// Times a switch to a tab of 10,000 messages: the category lookup, the store load and the list fill,
// as the user's click on the tab runs them. Prints the median of several switches.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/startup.h"
#include "store/store_connection.h"
#include "store/store_schema.h"
#include "tests/support/temp_working_directory.h"
#include "tools/bench_clock.h"
#include "ui/main_form.h"
#include "ui/main_window.h"
#include "ui/window_layer.h"

namespace {

void Seed() {
    EnsureSchema();
    StoreConnection db;
    db.Open(StorePath());
    db.Execute("BEGIN");
    db.InsertRow("type", {{"name", StoreValue::Text("小")}});
    db.InsertRow("type", {{"name", StoreValue::Text("大")}});
    db.InsertRow(
        "msg",
        {{"msg", StoreValue::Text("一条")}, {"count", StoreValue::Integer(0)}, {"typeid", StoreValue::Integer(1)}});
    const std::string text = "您好，欢迎光临本店，有什么可以帮您的吗？我们的客服会尽快回复您。";
    for (int i = 0; i < 10000; ++i) {
        db.InsertRow("msg", {{"msg", StoreValue::Text(text + std::to_string(i))},
                             {"count", StoreValue::Integer(0)},
                             {"typeid", StoreValue::Integer(2)}});
    }
    db.Execute("COMMIT");
}

}  // namespace

int main() {
    TempWorkingDirectory scratch;
    Seed();

    InitGlobals();
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), OnWindowCreated);
    std::vector<double> times;
    int rows = 0;
    for (int i = 0; i < 7; ++i) {
        const double start = NowMs();
        SendMessageA(mainForm.选择夹_分类, TCM_SETCURFOCUS, 1, 0);
        times.push_back(NowMs() - start);
        rows = ListRowCount(mainForm.超级列表框_消息列表);
        SendMessageA(mainForm.选择夹_分类, TCM_SETCURFOCUS, 0, 0);
    }
    std::sort(times.begin(), times.end());
    std::printf("switch to a tab of %d messages (load + fill): %.1f ms (median of 7)\n", rows, times[times.size() / 2]);

    DestroyWindow(window);
    CleanupAtExit();
    return 0;
}
