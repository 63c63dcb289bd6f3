#include "ui/import_messages.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "state/app_state.h"
#include "base/handles.h"
#include "base/text_codec.h"
#include "ui/choose_open_file.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/message_list.h"
#include "ui/tab_strip.h"
#include "ui/window_layer.h"

const char kImportDialogTitle[] = "打开文本文件,一行一个用换行符分割";

namespace {

const char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
const char kCrLf[] = "\r\n";

std::string ReplacedCharactersQuestion(size_t lines) {
    return "有 " + std::to_string(lines) + " 行含有本程序无法保存的字符(例如表情符号),这些字符将保存为“?”。仍然导入吗?";
}

}  // namespace

bool ConvertImportLines(std::string* text, size_t start, std::vector<TextSpan>* lines, size_t* replaced) {
    std::wstring wide;  // one line at a time
    size_t read = start;
    size_t write = 0;
    while (read < text->size()) {
        const size_t separator = text->find(kCrLf, read);
        // The line is decoded together with its CR LF, so that the decoder sees the bytes after the
        // line's last character as it does in the whole text: a sequence cut short at the very end of
        // its input is read differently (Wine's decoder takes everything to the end with it).
        const size_t end = separator == std::string::npos ? text->size() : separator + 2;
        if (!Utf8ToWideInto(std::string_view(*text).substr(read, end - read), &wide)) {
            return false;
        }
        size_t length = wide.size();
        if (separator != std::string::npos && length >= 2 && wide[length - 2] == L'\r' && wide[length - 1] == L'\n') {
            length -= 2;
        }
        bool lineReplaced = false;
        const size_t written =
            WideToGbkInto(std::wstring_view(wide).substr(0, length), &(*text)[0] + write, end - write, &lineReplaced);
        if (written == SIZE_MAX) {
            return false;
        }
        lines->push_back(TextSpan{write, written});
        *replaced += lineReplaced ? 1 : 0;
        write += written;
        read = end;
    }
    text->resize(write);  // keeps the memory; only the lines' bytes count from here on
    return true;
}

std::string ReadImportFile(const std::string& path) {
    if (path.empty()) {
        return std::string();
    }
    UniqueHandle file = AdoptFileHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) {
        return std::string();
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t filled = 0;
    while (filled < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - filled, 1u << 24));
        DWORD got = 0;
        if (!ReadFile(file.get(), &bytes[filled], want, &got, nullptr) || got == 0) {
            break;
        }
        filled += got;
    }
    bytes.resize(filled);
    const size_t zero = bytes.find('\0');
    if (zero != std::string::npos) {
        bytes.resize(zero);
    }
    return bytes;
}

void ImportText(HWND list, std::string text, HWND tabs) {
    // Editors on Windows start UTF-8 files with a byte-order mark; it is not part of the first message.
    const size_t start = text.compare(0, 3, kUtf8ByteOrderMark) == 0 ? 3 : 0;
    std::vector<TextSpan> lines;
    size_t replacedLines = 0;
    if (!ConvertImportLines(&text, start, &lines, &replacedLines)) {
        return;
    }
    // Nothing is stored behind the user's back with characters it cannot keep.
    if (replacedLines > 0 && !AskOkCancel(ReplacedCharactersQuestion(replacedLines))) {
        return;
    }

    const CategoryRow category = CategoryOfCurrentTab(tabs);
    // One transaction for the whole file: one commit instead of one per line.
    std::vector<bool> stored;
    const auto lineAt = [&text, &lines](size_t i) {
        return std::string_view(text).substr(lines[i].offset, lines[i].length);
    };
    if (!messageTable->InsertAll(category.ID, lines.size(), lineAt, &stored)) {
        FillMessageList(list, tabs);  // nothing of the file is stored, so the list shows the store again
        return;
    }
    size_t kept = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (stored[i]) {
            lines[kept++] = lines[i];
        }
    }
    lines.resize(kept);
    AppendMessageLines(list, std::move(text), lines);
}

void ImportMessages() {
    auto pause = PauseFollowActive();
    ChooseOpenFileArgs args;
    args.owner = mainForm.window;
    args.title = kImportDialogTitle;
    args.filter = "txt|*.txt";
    ImportText(mainForm.超级列表框_消息列表, ReadImportFile(ChooseOpenFile(args)), mainForm.选择夹_分类);
}
