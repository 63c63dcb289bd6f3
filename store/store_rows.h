#pragma once

#include <cstdint>
#include <string>

// Row records of the three tables. A fresh record has 0 in every integer and empty texts.
struct CategoryRow {
    int32_t ID = 0;
    std::string name;
};

struct MessageRow {
    int32_t ID = 0;
    std::string msg;
    int32_t count = 0;
    int32_t typeId = 0;  // column `typeid` (a C++ keyword, hence the spelling)
};

struct ConfigRow {
    std::string key;
    std::string value;
};
