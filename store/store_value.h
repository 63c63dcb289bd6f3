#pragma once

#include <cstdint>
#include <string>
#include <utility>

// A value bound to a statement: an integer, or a text in the ANSI code page (bound as UTF-8).
struct StoreValue {
    enum class Kind { Integer, Text };

    static StoreValue Integer(int64_t value) { return StoreValue(Kind::Integer, value, std::string()); }
    static StoreValue Text(std::string value) { return StoreValue(Kind::Text, 0, std::move(value)); }

    Kind kind;
    int64_t integer;
    std::string text;

private:
    StoreValue(Kind k, int64_t i, std::string t) : kind(k), integer(i), text(std::move(t)) {}
};

// One column of a row handed to InsertRow.
struct StoreField {
    std::string column;
    StoreValue value;
};
