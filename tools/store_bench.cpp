// Times the store's two bulk reads on a scratch chat.db: LoadByCategory over a category of 10,000
// messages and LoadAll over 1,000 categories. Prints the median of several runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "store/category_table.h"
#include "store/message_table.h"
#include "store/store_connection.h"
#include "store/store_schema.h"
#include "tests/support/temp_working_directory.h"
#include "tools/bench_clock.h"

namespace {

template <typename Work>
double MedianMs(int runs, Work work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = NowMs();
        work();
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Fill(StoreConnection& db) {
    db.Execute("BEGIN");
    const std::string text = "您好，欢迎光临本店，有什么可以帮您的吗？我们的客服会尽快回复您。";
    for (int i = 0; i < 10000; ++i) {
        db.InsertRow("msg", {{"msg", StoreValue::Text(text + std::to_string(i))},
                             {"count", StoreValue::Integer(0)},
                             {"typeid", StoreValue::Integer(1)}});
    }
    for (int i = 0; i < 1000; ++i) {
        db.InsertRow("type", {{"name", StoreValue::Text("分类" + std::to_string(i))}});
    }
    db.Execute("COMMIT");
}

}  // namespace

int main() {
    TempWorkingDirectory scratch;
    {
        EnsureSchema();
        StoreConnection db;
        db.Open(StorePath());
        Fill(db);
    }
    double loadMessages = 0;
    double loadCategories = 0;
    {
        CategoryTable categories;
        MessageTable messages;
        size_t messageCount = 0;
        size_t categoryCount = 0;
        loadMessages = MedianMs(9, [&] {
            std::vector<MessageRow> rows;
            int errorCode = 0;
            messages.LoadByCategory(1, &rows, &errorCode);
            messageCount = rows.size();
        });
        loadCategories = MedianMs(9, [&] {
            std::vector<CategoryRow> rows;
            int errorCode = 0;
            categories.LoadAll(&rows, &errorCode);
            categoryCount = rows.size();
        });
        std::printf("LoadByCategory, %zu messages: %.1f ms (median of 9)\n", messageCount, loadMessages);
        std::printf("LoadAll, %zu categories:     %.1f ms (median of 9)\n", categoryCount, loadCategories);
    }
    return 0;
}
