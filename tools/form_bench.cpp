// Times what the user waits for with a large category, for 10,000 and 500,000 messages of 40
// Chinese characters each, each in a library of its own beside a category of one message: the switch
// to its tab (category lookup, store load, list fill and the paint of the window), the switch away
// from it to the other tab, and the close of the window while it shows that category. Each round
// starts a fresh window; prints the median of the rounds.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
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

struct Category {
    int messages;
    int rounds;
};

// Each in a library of its own: tab 0 holds one message, tab 1 the category.
Category kCategories[] = {{10000, 5}, {500000, 3}};

void Seed(int messages) {
    EnsureSchema();
    StoreConnection db;
    db.Open(StorePath());
    db.Execute("BEGIN");
    db.Execute("INSERT INTO type (ID, name) VALUES (1, '小'), (2, '大')");
    db.Execute("INSERT INTO msg (msg, count, typeid) VALUES ('一条', 0, 1)");
    const std::string text = "您好，欢迎光临本店，请问有什么可以帮您？我们会尽快为您处理好订单，祝您购物愉快！";
    db.Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(messages) +
               ") INSERT INTO msg (msg, count, typeid) SELECT '" + text + "' || i, 0, 2 FROM n");
    db.Execute("COMMIT");
}

// The user's click on a tab, until the window has painted what changed.
void PickTabAndPaint(int tab) {
    SendMessageA(mainForm.选择夹_分类, TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0);
    RedrawWindow(mainForm.window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

// Arguments give the number of rounds for each category instead, in order.
int main(int argc, char** argv) {
    for (int i = 1; i < argc && i <= static_cast<int>(std::size(kCategories)); ++i) {
        kCategories[i - 1].rounds = std::max(1, std::atoi(argv[i]));
    }
    for (const Category& category : kCategories) {
        TempWorkingDirectory scratch;
        Seed(category.messages);
        std::vector<double> to, away, close;
        int rows = 0;
        for (int round = 0; round < category.rounds; ++round) {
            InitGlobals();
            HWND window = CreateMainWindow(GetModuleHandleA(nullptr), OnWindowCreated);
            RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

            double start = NowMs();
            PickTabAndPaint(1);
            to.push_back(NowMs() - start);
            rows = ListRowCount(mainForm.超级列表框_消息列表);

            start = NowMs();
            PickTabAndPaint(0);
            away.push_back(NowMs() - start);

            PickTabAndPaint(1);
            start = NowMs();
            SendMessageA(window, WM_CLOSE, 0, 0);
            close.push_back(NowMs() - start);

            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            }
            CleanupAtExit();
        }
        std::printf(
            "category of %d messages: switch to it %.1f ms, away from it %.1f ms, close the window showing it "
            "%.1f ms (median of %d)\n",
            rows, Median(to), Median(away), Median(close), category.rounds);
    }
    return 0;
}
