#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

// One argument of FormatSql: an integer (for "%d") or a text (for "%s").
class SqlArgument {
public:
    SqlArgument(int32_t value) : isText_(false), integer_(value) {}
    SqlArgument(int64_t value) : isText_(false), integer_(value) {}
    SqlArgument(const char* value) : isText_(true), text_(value) {}
    SqlArgument(const std::string& value) : isText_(true), text_(value) {}

    std::string Render() const { return isText_ ? text_ : std::to_string(integer_); }

private:
    bool isText_;
    int64_t integer_ = 0;
    std::string text_;
};

// Builds a statement from a template: each "%d" or "%s" takes the next argument, an integer in decimal
// or a text exactly as it stands (no quoting, no escaping). Inserted texts are not scanned again.
// Texts from users never go through here: they are bound as statement parameters.
std::string FormatSql(const std::string& pattern, std::initializer_list<SqlArgument> arguments);
