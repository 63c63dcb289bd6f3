#include "tests/support/temp_working_directory.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string CurrentDirectory() {
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, length < sizeof buffer ? length : 0);
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempWorkingDirectory::TempWorkingDirectory(const std::string& base) : previous_(CurrentDirectory()) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    if (!base.empty()) {
        lstrcpynA(temp, (base + "\\").c_str(), sizeof temp);
    }
    static unsigned sequence = 0;
    for (;;) {
        std::ostringstream name;
        name << temp << "replydock-test-" << GetCurrentProcessId() << "-" << GetTickCount() << "-" << ++sequence;
        if (CreateDirectoryA(name.str().c_str(), nullptr)) {
            path_ = name.str();
            break;
        }
    }
    SetCurrentDirectoryA(path_.c_str());
}

TempWorkingDirectory::~TempWorkingDirectory() {
    SetCurrentDirectoryA(previous_.c_str());
    RemoveTree(path_);
}

std::string TempWorkingDirectory::File(const std::string& name) const {
    return path_ + "\\" + name;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
