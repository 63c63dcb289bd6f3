#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A piece of a text: `length` bytes from `offset`.
struct TextSpan {
    size_t offset = 0;
    size_t length = 0;
};

// The rows of a list view that keeps none of its own: two cells of GBK text per row. The texts lie
// packed in a few large blocks, so a row costs two small references beside its text; a cell that is
// a plain decimal number (the row numbers of column 0) costs no text at all.
class ListRows {
public:
    static constexpr int kColumns = 2;
    // Room for the decimal form of a number cell.
    struct NumberText {
        char digits[24];
    };

    size_t Count() const { return rows_.size(); }

    // Appends a row with these cells. False, with nothing added, for a text that is too long.
    bool Append(std::string_view first, std::string_view second);
    // Appends a row whose column 0 is `number` in decimal and column 1 `text`. False, with nothing
    // added, for a text that is too long.
    bool AppendNumbered(size_t number, std::string_view text);
    // Appends one row per text: column 0 its 1-based position among `texts`, column 1 the text.
    void AppendNumbered(const std::vector<std::string>& texts);
    // Appends one row per span of `text`: column 0 the span's 1-based position among `spans`, column 1
    // its text. The rows keep `text` itself (no copy of it is made).
    void AppendNumbered(std::string text, const std::vector<TextSpan>& spans);
    // Moves every row of `other` to the end, emptying it.
    void Splice(ListRows&& other);

    // The cell's text; empty for a row or column that does not exist.
    std::string Cell(size_t row, int column) const;
    // The same without a copy: a view of the rows (good until they change) or, for a number, of
    // `number`. Allocates nothing.
    std::string_view CellText(size_t row, int column, NumberText* number) const;
    // The cell's text in `buffer` of `capacity` bytes: as much as fits before a terminating zero, cut
    // between two characters. Returns the bytes written before the zero. Allocates nothing.
    size_t CopyCell(size_t row, int column, char* buffer, size_t capacity) const;
    // Gives the cell a new text. False for a row or column that does not exist or a text too long.
    bool SetCell(size_t row, int column, std::string_view text);

    void Clear();

private:
    // A cell: `length` bytes at `offset` of block `block`, or, with block kNumber, the decimal number
    // `offset`.
    struct Ref {
        uint32_t block;
        uint32_t length;
        size_t offset;
    };
    struct Row {
        Ref cells[kColumns];
    };
    static constexpr uint32_t kNumber = UINT32_MAX;

    bool Store(std::string_view text, Ref* ref);
    // The text of a cell that is not a number.
    std::string_view TextOf(const Ref& ref) const;

    std::vector<Row> rows_;
    std::vector<std::string> blocks_;
    // The block that takes the texts of Append and SetCell; none (SIZE_MAX) until the first.
    size_t openBlock_ = SIZE_MAX;
};
