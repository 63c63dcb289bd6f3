#include "ui/list_rows.h"

#include <cstring>

#include "base/gbk_text.h"

namespace {

// Texts given one by one go into blocks of this size, so that a large list grows without moving
// what it already holds; a longer text gets a block of its own size.
constexpr size_t kBlockBytes = 1 << 20;
constexpr size_t kMaxNumberDigits = 9;

// The value of a text that is the canonical decimal form of a number: digits only, no leading zero
// (except "0" itself), few enough to fit any size_t. Such a text reads back exactly as it was.
bool ParseNumber(std::string_view text, size_t* value) {
    if (text.empty() || text.size() > kMaxNumberDigits || (text[0] == '0' && text.size() > 1)) {
        return false;
    }
    size_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        number = number * 10 + static_cast<size_t>(c - '0');
    }
    *value = number;
    return true;
}

}  // namespace

bool ListRows::Store(std::string_view text, Ref* ref) {
    if (text.size() > UINT32_MAX) {
        return false;
    }
    size_t number = 0;
    if (ParseNumber(text, &number)) {
        *ref = Ref{kNumber, 0, number};
        return true;
    }
    if (text.empty()) {
        *ref = Ref{0, 0, 0};
        return true;
    }
    if (openBlock_ == SIZE_MAX || blocks_[openBlock_].size() + text.size() > blocks_[openBlock_].capacity()) {
        if (blocks_.size() >= kNumber) {
            return false;
        }
        std::string block;
        block.reserve(text.size() > kBlockBytes ? text.size() : kBlockBytes);
        blocks_.push_back(std::move(block));
        openBlock_ = blocks_.size() - 1;
    }
    std::string& block = blocks_[openBlock_];
    *ref = Ref{static_cast<uint32_t>(openBlock_), static_cast<uint32_t>(text.size()), block.size()};
    block.append(text.data(), text.size());
    return true;
}

std::string_view ListRows::TextOf(const Ref& ref) const {
    if (ref.length == 0) {
        return std::string_view();
    }
    return std::string_view(blocks_[ref.block].data() + ref.offset, ref.length);
}

bool ListRows::Append(std::string_view first, std::string_view second) {
    Row row;
    if (!Store(first, &row.cells[0]) || !Store(second, &row.cells[1])) {
        return false;
    }
    rows_.push_back(row);
    return true;
}

bool ListRows::AppendNumbered(size_t number, std::string_view text) {
    Row row;
    row.cells[0] = Ref{kNumber, 0, number};
    if (!Store(text, &row.cells[1])) {
        return false;
    }
    rows_.push_back(row);
    return true;
}

void ListRows::AppendNumbered(const std::vector<std::string>& texts) {
    rows_.reserve(rows_.size() + texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        AppendNumbered(i + 1, texts[i]);
    }
}

void ListRows::AppendNumbered(std::string text, const std::vector<TextSpan>& spans) {
    if (spans.empty() || blocks_.size() >= kNumber) {
        return;
    }
    const uint32_t block = static_cast<uint32_t>(blocks_.size());
    const size_t size = text.size();
    blocks_.push_back(std::move(text));
    rows_.reserve(rows_.size() + spans.size());
    size_t number = 0;
    for (const TextSpan& span : spans) {
        ++number;
        if (span.offset > size || span.length > size - span.offset || span.length > UINT32_MAX) {
            continue;
        }
        Row row;
        row.cells[0] = Ref{kNumber, 0, number};
        row.cells[1] = Ref{block, static_cast<uint32_t>(span.length), span.offset};
        rows_.push_back(row);
    }
}

void ListRows::Splice(ListRows&& other) {
    if (rows_.empty() && blocks_.empty()) {
        rows_.swap(other.rows_);
        blocks_.swap(other.blocks_);
        openBlock_ = other.openBlock_;
        other.Clear();
        return;
    }
    const uint32_t shift = static_cast<uint32_t>(blocks_.size());
    rows_.reserve(rows_.size() + other.rows_.size());
    for (Row row : other.rows_) {
        for (Ref& cell : row.cells) {
            if (cell.block != kNumber) {
                cell.block += shift;
            }
        }
        rows_.push_back(row);
    }
    for (std::string& block : other.blocks_) {
        blocks_.push_back(std::move(block));
    }
    other.Clear();
}

std::string_view ListRows::CellText(size_t row, int column, NumberText* number) const {
    if (row >= rows_.size() || column < 0 || column >= kColumns) {
        return std::string_view();
    }
    const Ref& ref = rows_[row].cells[column];
    if (ref.block != kNumber) {
        return TextOf(ref);
    }
    char* end = number->digits + sizeof number->digits;
    char* start = end;
    size_t value = ref.offset;
    do {
        *--start = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return std::string_view(start, static_cast<size_t>(end - start));
}

std::string ListRows::Cell(size_t row, int column) const {
    NumberText number;
    return std::string(CellText(row, column, &number));
}

size_t ListRows::CopyCell(size_t row, int column, char* buffer, size_t capacity) const {
    if (capacity == 0) {
        return 0;
    }
    NumberText number;
    const std::string_view text = CellText(row, column, &number);
    // The longest run of whole characters that leaves room for the zero.
    size_t fits = 0;
    while (fits < text.size()) {
        const size_t next = fits + GbkCharLength(text, fits);
        if (next > capacity - 1) {
            break;
        }
        fits = next;
    }
    std::memcpy(buffer, text.data(), fits);
    buffer[fits] = '\0';
    return fits;
}

bool ListRows::SetCell(size_t row, int column, std::string_view text) {
    if (row >= rows_.size() || column < 0 || column >= kColumns) {
        return false;
    }
    Ref ref;
    if (!Store(text, &ref)) {
        return false;
    }
    rows_[row].cells[column] = ref;  // the old text stays in its block until the rows are cleared
    return true;
}

void ListRows::Clear() {
    std::vector<Row>().swap(rows_);
    std::vector<std::string>().swap(blocks_);
    openBlock_ = SIZE_MAX;
}
