#pragma once

#include <string>

// A fresh, empty folder that is the process's working directory for the life of the object; the
// previous working directory comes back and the folder is removed with its files afterwards.
class TempWorkingDirectory {
public:
    // Under `base` when given (for example a RAM disk), else in the temporary folder.
    explicit TempWorkingDirectory(const std::string& base = std::string());
    ~TempWorkingDirectory();
    TempWorkingDirectory(const TempWorkingDirectory&) = delete;
    TempWorkingDirectory& operator=(const TempWorkingDirectory&) = delete;

    const std::string& path() const { return path_; }
    // path() + "\\" + name
    std::string File(const std::string& name) const;

private:
    std::string previous_;
    std::string path_;
};

// Whole-file helpers for the tests.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
