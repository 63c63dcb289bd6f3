#include "ui/import_messages.h"

#include <algorithm>
#include <vector>

#include "app/app_state.h"
#include "base/gbk_text.h"
#include "base/handles.h"
#include "base/text_codec.h"
#include "ui/choose_open_file.h"
#include "ui/main_form.h"
#include "ui/message_list.h"
#include "ui/tab_strip.h"

const char kImportDialogTitle[] = "打开文本文件,一行一个用换行符分割";

namespace {

const char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

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

void ImportText(HWND list, const std::string& utf8, HWND tabs) {
    // Editors on Windows start UTF-8 files with a byte-order mark; it is not part of the first message.
    const bool hasMark = utf8.compare(0, 3, kUtf8ByteOrderMark) == 0;
    // Lines end at CR LF only; a lone CR or LF stays inside its message.
    std::vector<std::string> lines = SplitText(Utf8ToGbk(hasMark ? utf8.substr(3) : utf8), "\r\n");

    const CategoryRow category = CategoryOfCurrentTab(tabs);
    std::vector<MessageRow> rows(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        rows[i].msg = std::move(lines[i]);
        rows[i].count = 0;
        rows[i].typeId = category.ID;
    }
    lines.clear();

    // One transaction for the whole file: one commit instead of one per line.
    std::vector<bool> stored;
    if (!messageTable->InsertAll(rows, &stored)) {
        FillMessageList(list, tabs);  // nothing of the file is stored, so the list shows the store again
        return;
    }
    std::vector<std::string> shown;
    shown.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        if (stored[i]) {
            shown.push_back(std::move(rows[i].msg));
        }
    }
    rows.clear();
    rows.shrink_to_fit();
    AppendMessageRows(list, shown);
}

void ImportMessages() {
    auto pause = PauseFollowActive();
    ChooseOpenFileArgs args;
    args.owner = mainForm.window;
    args.title = kImportDialogTitle;
    args.filter = "txt|*.txt";
    const std::string text = ReadImportFile(ChooseOpenFile(args));
    ImportText(mainForm.超级列表框_消息列表, text, mainForm.选择夹_分类);
}
