#include "tests/chat/client_sim/commands.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "base/handles.h"
#include "tests/chat/client_sim/shown_text.h"
#include "tests/chat/client_sim/sim_windows.h"
#include "tests/chat/sim_protocol.h"

namespace {

uint64_t ParseHex(const std::string& text) {
    return std::strtoull(text.c_str(), nullptr, 16);
}

HWND ParseWindow(const std::string& text) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(ParseHex(text)));
}

std::string Hex(uint64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%" PRIx64, value);
    return buffer;
}

std::string HexBytes(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

std::string BytesFromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
    }
    return bytes;
}

std::string Done(bool ok) {
    return ok ? "ok\n" : "error\n";
}

// open <parent> <x> <y> <width> <height> <exstyle> <class> <title...>
std::string Open(std::istringstream& in) {
    std::string parent, exStyle, className;
    int x = 0, y = 0, width = 0, height = 0;
    in >> parent >> x >> y >> width >> height >> exStyle >> className;
    if (!in) {
        return "error syntax\n";
    }
    std::string title;
    std::getline(in, title);
    if (!title.empty() && title[0] == ' ') {
        title.erase(0, 1);
    }
    HWND window = nullptr;
    RunOnWindowThread([&] {
        window = OpenSimWindow(ParseWindow(parent), x, y, width, height, static_cast<DWORD>(ParseHex(exStyle)),
                               className, title);
    });
    if (window == nullptr) {
        return "error create\n";
    }
    return "ok " + Hex(reinterpret_cast<uintptr_t>(window)) + "\n";
}

std::string Messages(std::istringstream& in, MessageLog* log) {
    std::string window, id;
    in >> window >> id;
    std::vector<LoggedMessage> messages;
    if (!log->TakeUntilMarker(ParseWindow(window), ParseHex(id), kMarkerTimeoutMs, &messages)) {
        return "error timeout\n";
    }
    std::string answer = "ok " + std::to_string(messages.size()) + "\n";
    for (const LoggedMessage& entry : messages) {
        answer += Hex(entry.message) + " " + Hex(entry.wParam) + " " + Hex(entry.lParam) + " " +
                  std::to_string(entry.microseconds) + "\n";
    }
    return answer;
}

bool PutClipboard(const std::string& bytes) {
    ClipboardScope clipboard(ControlWindow());
    if (!clipboard.IsOpen() || !EmptyClipboard()) {
        return false;
    }
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1));
    if (!memory) {
        return false;
    }
    {
        GlobalLockScope lock(memory.get());
        if (lock.data() == nullptr) {
            return false;
        }
        std::memcpy(lock.data(), bytes.c_str(), bytes.size() + 1);
    }
    if (SetClipboardData(CF_TEXT, memory.get()) == nullptr) {
        return false;
    }
    memory.release();
    return true;
}

// The bytes of one clipboard format: texts up to their terminating zero, anything else whole.
std::string ReadClipboard(UINT format) {
    ClipboardScope clipboard(ControlWindow());
    if (!clipboard.IsOpen()) {
        return "error busy\n";
    }
    HANDLE data = GetClipboardData(format);
    if (data == nullptr) {
        return "none\n";
    }
    GlobalLockScope lock(data);
    if (lock.data() == nullptr) {
        return "error lock\n";
    }
    const char* bytes = static_cast<const char*>(lock.data());
    size_t size = GlobalSize(data);
    if (format == CF_UNICODETEXT) {
        size = wcsnlen(reinterpret_cast<const wchar_t*>(bytes), size / sizeof(wchar_t)) * sizeof(wchar_t);
    } else if (format == CF_TEXT || format == CF_OEMTEXT) {
        size = strnlen(bytes, size);
    }
    return "ok " + HexBytes(std::string(bytes, size)) + "\n";
}

}  // namespace

bool RunCommand(const std::string& line, MessageLog* log, std::string* answer) {
    std::istringstream in(line);
    std::string command;
    in >> command;
    if (command == "open") {
        *answer = Open(in);
    } else if (command == "close") {
        std::string window;
        in >> window;
        bool ok = false;
        RunOnWindowThread([&] { ok = DestroyWindow(ParseWindow(window)) != FALSE; });
        log->Forget(ParseWindow(window));
        *answer = Done(ok);
    } else if (command == "front") {
        std::string window;
        in >> window;
        bool ok = false;
        RunOnWindowThread([&] {
            SetForegroundWindow(ParseWindow(window));
            ok = GetForegroundWindow() == ParseWindow(window);
        });
        *answer = Done(ok);
    } else if (command == "sent") {
        std::string window;
        in >> window;
        std::vector<std::string> texts;
        RunOnWindowThread([&] { texts = SentTexts(ParseWindow(window)); });
        *answer = "ok " + std::to_string(texts.size()) + "\n";
        for (const std::string& text : texts) {
            *answer += HexBytes(text) + "\n";
        }
    } else if (command == "move") {
        std::string window;
        int x = 0, y = 0;
        in >> window >> x >> y;
        bool ok = false;
        int64_t before = 0;
        RunOnWindowThread([&] {
            before = NowMicroseconds();
            ok = SetWindowPos(ParseWindow(window), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) !=
                 FALSE;
        });
        *answer = ok ? "ok " + Hex(static_cast<uint64_t>(before)) + "\n" : "error\n";
    } else if (command == "messages") {
        *answer = Messages(in, log);
    } else if (command == "clipboard-hold") {
        DWORD ms = 0;
        in >> ms;
        bool ok = false;
        RunOnWindowThread([&] {
            ok = OpenClipboard(ControlWindow()) != FALSE;
            if (ok && ms != 0) {
                ReleaseClipboardAfter(ms);
            }
        });
        *answer = Done(ok);
    } else if (command == "clipboard-release") {
        bool ok = false;
        RunOnWindowThread([&] { ok = ReleaseClipboardNow(); });
        *answer = Done(ok);
    } else if (command == "clipboard-put") {
        std::string hex;
        in >> hex;
        bool ok = false;
        RunOnWindowThread([&] { ok = PutClipboard(BytesFromHex(hex)); });
        *answer = Done(ok);
    } else if (command == "clipboard-read") {
        std::string format;
        in >> format;
        const UINT wanted = format.empty() ? CF_TEXT : static_cast<UINT>(ParseHex(format));
        RunOnWindowThread([&] { *answer = ReadClipboard(wanted); });
    } else if (command == "hang") {
        std::string window, message;
        DWORD ms = 0;
        in >> window >> ms >> message;
        bool ok = false;
        if (ParseHex(message) == 0) {
            ok = PostMessageA(ParseWindow(window), kHangNowMessage, ms, 0) != FALSE;  // answered without waiting
        } else {
            RunOnWindowThread([&] {
                ArmHang(ParseWindow(window), static_cast<UINT>(ParseHex(message)), ms);
                ok = IsWindow(ParseWindow(window)) != FALSE;
            });
        }
        *answer = Done(ok);
    } else if (command == "quit") {
        *answer = "ok\n";
        return false;
    } else {
        *answer = "error unknown command\n";
    }
    return true;
}
