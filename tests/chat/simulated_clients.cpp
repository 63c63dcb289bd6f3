#include "tests/chat/simulated_clients.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "tests/chat/sim_protocol.h"

const char kWeChatClass[] = "WeChatMainWndForPC";
const char kQqClass[] = "TXGuiFoundation";
const char kAliWangWangClass[] = "StandardFrame";
const char kRichEditClass[] = "RichEditComponent";

namespace {

constexpr DWORD kQuitWaitMs = 5000;

std::string Hex(uint64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%" PRIx64, value);
    return buffer;
}

std::string HexWindow(HWND window) {
    return Hex(reinterpret_cast<uintptr_t>(window));
}

uint64_t ParseHex(const std::string& text) {
    return std::strtoull(text.c_str(), nullptr, 16);
}

std::string SimulatorPath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + kSimulatorFileName;
}

// An inheritable-on-one-end pipe: `childEnd` is inherited by the simulator, `ownEnd` is not.
bool MakePipe(bool childReads, UniqueHandle* childEnd, UniqueHandle* ownEnd) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return false;
    }
    childEnd->reset(childReads ? readEnd : writeEnd);
    ownEnd->reset(childReads ? writeEnd : readEnd);
    return SetHandleInformation(ownEnd->get(), HANDLE_FLAG_INHERIT, 0) != FALSE;
}

}  // namespace

SimulatedClients::SimulatedClients() {
    started_ = Start();
}

SimulatedClients::~SimulatedClients() {
    if (!process_) {
        return;
    }
    if (started_) {
        Send("quit\n");
    }
    toSimulator_.reset();  // end of input ends the simulator as well
    if (WaitForSingleObject(process_.get(), kQuitWaitMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), kQuitWaitMs);
    }
}

bool SimulatedClients::Start() {
    UniqueHandle childInput, childOutput;
    if (!MakePipe(true, &childInput, &toSimulator_) || !MakePipe(false, &childOutput, &fromSimulator_)) {
        return false;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput.get();
    startup.hStdOutput = childOutput.get();
    startup.hStdError = childOutput.get();
    PROCESS_INFORMATION info = {};
    std::string path = SimulatorPath();
    std::string commandLine = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info)) {
        return false;
    }
    process_.reset(info.hProcess);
    UniqueHandle thread(info.hThread);
    processId_ = info.dwProcessId;
    std::string line;
    return ReadLine(&line) && line == "ready";
}

bool SimulatedClients::Send(const std::string& command) {
    size_t written = 0;
    while (written < command.size()) {
        DWORD chunk = 0;
        if (!WriteFile(toSimulator_.get(), command.data() + written, static_cast<DWORD>(command.size() - written),
                       &chunk, nullptr) ||
            chunk == 0) {
            return false;
        }
        written += chunk;
    }
    return true;
}

bool SimulatedClients::ReadLine(std::string* line) {
    for (;;) {
        const size_t end = unread_.find('\n');
        if (end != std::string::npos) {
            line->assign(unread_, 0, end);
            unread_.erase(0, end + 1);
            return true;
        }
        char buffer[4096];
        DWORD read = 0;
        if (!ReadFile(fromSimulator_.get(), buffer, sizeof buffer, &read, nullptr) || read == 0) {
            return false;
        }
        unread_.append(buffer, read);
    }
}

bool SimulatedClients::Request(const std::string& command, std::string* rest) {
    std::string line;
    if (!started_ || !Send(command + "\n") || !ReadLine(&line)) {
        return false;
    }
    if (line != "ok" && line.compare(0, 3, "ok ") != 0) {
        return false;
    }
    if (rest != nullptr) {
        *rest = line.size() > 3 ? line.substr(3) : std::string();
    }
    return true;
}

bool SimulatedClients::Open(const SimWindow& window, HWND* handle) {
    std::string answer;
    const std::string command = "open " + HexWindow(window.parent) + " " + std::to_string(window.x) + " " +
                                std::to_string(window.y) + " " + std::to_string(window.width) + " " +
                                std::to_string(window.height) + " " + Hex(window.exStyle) + " " + window.className +
                                " " + window.title;
    if (!Request(command, &answer)) {
        return false;
    }
    *handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(ParseHex(answer)));
    return *handle != nullptr;
}

bool SimulatedClients::OpenTree(HWND root, const std::vector<SimTreeRow>& rows, std::vector<HWND>* handles) {
    std::vector<HWND> parents = {root};  // parents[d] is the parent of the next row of depth d + 1
    handles->clear();
    for (const SimTreeRow& row : rows) {
        if (row.depth < 1 || static_cast<size_t>(row.depth) > parents.size()) {
            return false;
        }
        parents.resize(static_cast<size_t>(row.depth));
        SimWindow child;
        child.className = row.className;
        child.width = 40;
        child.height = 20;
        child.parent = parents.back();
        HWND handle = nullptr;
        if (!Open(child, &handle)) {
            return false;
        }
        handles->push_back(handle);
        parents.push_back(handle);
    }
    return true;
}

bool SimulatedClients::Close(HWND window) {
    return Request("close " + HexWindow(window));
}

bool SimulatedClients::BringToFront(HWND window) {
    return Request("front " + HexWindow(window));
}

bool SimulatedClients::Move(HWND window, int32_t x, int32_t y, int64_t* movedAt) {
    std::string answer;
    if (!Request("move " + HexWindow(window) + " " + std::to_string(x) + " " + std::to_string(y), &answer)) {
        return false;
    }
    *movedAt = static_cast<int64_t>(ParseHex(answer));
    return true;
}

bool SimulatedClients::Hang(HWND window, DWORD ms, UINT onMessage) {
    return Request("hang " + HexWindow(window) + " " + std::to_string(ms) + " " + Hex(onMessage));
}

bool SimulatedClients::TakeMessages(HWND window, std::vector<RecordedMessage>* messages) {
    const uint64_t marker = nextMarker_++;
    std::string answer;
    if (!PostMessageA(window, kMarkerMessage, static_cast<WPARAM>(marker), 0) ||
        !Request("messages " + HexWindow(window) + " " + Hex(marker), &answer)) {
        return false;
    }
    const unsigned long count = std::strtoul(answer.c_str(), nullptr, 10);
    messages->clear();
    for (unsigned long i = 0; i < count; ++i) {
        std::string line;
        if (!ReadLine(&line)) {
            return false;
        }
        std::istringstream fields(line);
        std::string message, wParam, lParam;
        int64_t microseconds = 0;
        fields >> message >> wParam >> lParam >> microseconds;
        messages->push_back({static_cast<UINT>(ParseHex(message)), ParseHex(wParam), ParseHex(lParam), microseconds});
    }
    return true;
}

bool SimulatedClients::ForgetMessages(HWND window) {
    std::vector<RecordedMessage> ignored;
    return TakeMessages(window, &ignored);
}

bool SimulatedClients::HoldClipboard(DWORD ms) {
    return Request("clipboard-hold " + std::to_string(ms));
}

bool SimulatedClients::SentTexts(HWND window, std::vector<std::string>* texts) {
    std::string answer;
    if (!Request("sent " + HexWindow(window), &answer)) {
        return false;
    }
    const unsigned long count = std::strtoul(answer.c_str(), nullptr, 10);
    texts->clear();
    for (unsigned long i = 0; i < count; ++i) {
        std::string hex;
        if (!ReadLine(&hex)) {
            return false;
        }
        std::string bytes;
        for (size_t at = 0; at + 1 < hex.size(); at += 2) {
            bytes.push_back(static_cast<char>(std::strtoul(hex.substr(at, 2).c_str(), nullptr, 16)));
        }
        texts->push_back(bytes);
    }
    return true;
}

bool SimulatedClients::ReleaseClipboard() {
    return Request("clipboard-release");
}

bool SimulatedClients::PutClipboardText(const std::string& text) {
    std::string hex;
    for (unsigned char byte : text) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", byte);
        hex += digits;
    }
    return Request("clipboard-put " + hex);
}

bool SimulatedClients::ReadClipboardText(std::string* text) {
    return ReadClipboardData(CF_TEXT, text);
}

bool SimulatedClients::ReadClipboardData(UINT format, std::string* bytes) {
    char command[40];
    std::snprintf(command, sizeof command, "clipboard-read %x", format);
    std::string hex;
    if (!Request(command, &hex)) {
        return false;
    }
    bytes->clear();
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes->push_back(static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
    }
    return true;
}
