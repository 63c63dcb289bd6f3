#pragma once

#include <string>

// The two text cuts the HTTP client is built on. Both search with the GBK rules of base/gbk_text.h.

// The text between the first `left` found from `start` (0 or 1: from the beginning) and the next
// `right` after it; "" when either is missing. "#引号" in `left` or `right` stands for a double quote.
std::string TextBetween(const std::string& text,
                        const std::string& left,
                        const std::string& right,
                        int start = 0,
                        bool caseInsensitive = false);

// The text before the first `delimiter` found from max(`start`, 1); "" when there is none.
std::string TextBefore(const std::string& text,
                       const std::string& delimiter,
                       int start = 1,
                       bool caseInsensitive = false);
