// The line cut at CR LF between characters, against which the import's lines are checked under Wine:
// the lines joined again with CR LF give the text back, and each line converts to the characters it
// showed inside the whole text, so the cut finds CR LF exactly where the system's conversion has them.
#include <string>
#include <vector>

#include "base/gbk_text.h"
#include "tests/fuzz/cp936_model.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = SplitText(text, "\r\n");

    std::string joined;
    std::u16string converted;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            joined += "\r\n";
            converted += u"\r\n";
        }
        joined += lines[i];
        const std::u16string line = Cp936ToUtf16(lines[i]);
        FUZZ_CHECK(line.find(u"\r\n") == std::u16string::npos);
        converted += line;
    }
    if (joined.size() < text.size()) {
        joined += "\r\n";  // the final CR LF makes no empty line
        converted += u"\r\n";
    }
    FUZZ_CHECK(joined == text);
    FUZZ_CHECK(converted == Cp936ToUtf16(text));
    return 0;
}
