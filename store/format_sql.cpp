#include "store/format_sql.h"

std::string FormatSql(const std::string& pattern, std::initializer_list<SqlArgument> arguments) {
    std::string sql;
    sql.reserve(pattern.size() + 16);
    auto next = arguments.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder =
            pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 'd' || pattern[i + 1] == 's');
        if (placeholder && next != arguments.end()) {
            sql += next->Render();
            ++next;
            ++i;
        } else {
            sql += pattern[i];
        }
    }
    return sql;
}
