#include "ui/choose_open_file.h"

#include <vector>

#include "ui/dialogs.h"

namespace {

const DWORD kPathBufferSize = 512;

// "txt|*.txt" becomes "txt\0*.txt\0\0": a zero byte after every piece and one more at the end.
std::vector<char> DialogFilter(const std::string& filter) {
    std::vector<char> pieces(filter.begin(), filter.end());
    for (char& c : pieces) {
        if (c == '|') c = '\0';
    }
    pieces.push_back('\0');
    pieces.push_back('\0');
    return pieces;
}

}  // namespace

std::string ChooseOpenFile(const ChooseOpenFileArgs& args) {
    char previous[260];
    const DWORD length = GetCurrentDirectoryA(sizeof previous, previous);
    if (length == 0 || length >= sizeof previous) {
        previous[0] = '\0';
    }

    std::vector<char> filter = DialogFilter(args.filter);
    std::vector<char> file(kPathBufferSize, '\0');
    std::vector<char> fileTitle(kPathBufferSize, '\0');
    char customFilter[1] = {'\0'};
    OPENFILENAMEA request = {};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the classic request: 76 bytes in the 32-bit program
    request.hwndOwner = args.owner;
    request.lpstrFilter = filter.data();
    request.lpstrCustomFilter = customFilter;
    request.nMaxCustFilter = 0;
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = kPathBufferSize;
    request.lpstrFileTitle = fileTitle.data();
    request.nMaxFileTitle = kPathBufferSize;
    request.lpstrInitialDir = args.initialDirectory.empty() ? previous : args.initialDirectory.c_str();
    request.lpstrTitle = args.title.c_str();
    request.Flags = 0;

    const bool chosen = Dialogs().RunOpenFileDialog(&request);
    if (!args.keepDirectory) {
        SetCurrentDirectoryA(previous);
    }
    if (!chosen) {
        return std::string();
    }
    file.back() = '\0';
    return std::string(file.data());
}
