#include "store/store_cursor.h"

#include "base/text_codec.h"

namespace {

bool SameNameIgnoringAsciiCase(const char* a, const std::string& b) {
    size_t i = 0;
    for (; a[i] != '\0' && i < b.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return a[i] == '\0' && i == b.size();
}

}  // namespace

bool StoreCursor::Step() {
    if (!statement_) {
        hasRow_ = false;
        return false;
    }
    lastResult_ = sqlite3_step(statement_.get());
    hasRow_ = lastResult_ == SQLITE_ROW;
    return hasRow_;
}

int StoreCursor::FindColumn(const std::string& column) const {
    if (!statement_ || !hasRow_) {
        return -1;
    }
    return ColumnIndex(column);
}

int StoreCursor::ColumnIndex(const std::string& column) const {
    if (!statement_) {
        return -1;
    }
    const std::string utf8Name = AnsiToUtf8(column);
    const int count = sqlite3_column_count(statement_.get());
    for (int i = 0; i < count; ++i) {
        const char* name = sqlite3_column_name(statement_.get(), i);
        if (name != nullptr && SameNameIgnoringAsciiCase(name, utf8Name)) {
            return i;
        }
    }
    return -1;
}

int64_t StoreCursor::ReadInteger(const std::string& column) const {
    const int index = FindColumn(column);
    return index < 0 ? 0 : sqlite3_column_int64(statement_.get(), index);
}

std::string StoreCursor::ReadText(const std::string& column) const {
    const int index = FindColumn(column);
    return index < 0 ? std::string() : ReadTextAt(index);
}

int64_t StoreCursor::ReadIntegerAt(int index) const {
    if (!statement_ || !hasRow_ || index < 0 || index >= ColumnCount()) {
        return 0;
    }
    return sqlite3_column_int64(statement_.get(), index);
}

int StoreCursor::ColumnCount() const {
    return statement_ ? sqlite3_column_count(statement_.get()) : 0;
}

std::string StoreCursor::ReadTextAt(int index) const {
    std::string text;
    ReadTextAt(index, &text);
    return text;
}

bool StoreCursor::ReadTextAt(int index, std::string* text) const {
    text->clear();
    if (!statement_ || !hasRow_ || index < 0 || index >= ColumnCount()) {
        return false;
    }
    const unsigned char* utf8 = sqlite3_column_text(statement_.get(), index);
    const int bytes = sqlite3_column_bytes(statement_.get(), index);
    if (utf8 == nullptr || bytes <= 0) {
        return true;  // an empty text (or NULL)
    }
    if (!Utf8ToWideInto(std::string_view(reinterpret_cast<const char*>(utf8), static_cast<size_t>(bytes)), &wide_) ||
        !WideToAnsiInto(wide_, text)) {
        text->clear();
        return false;
    }
    return true;
}
