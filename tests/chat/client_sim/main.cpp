// chat_client_sim.exe: stands in for the chat clients in the tests. It opens windows with the chat
// clients' class names on request, logs every message they receive and shows the text typed into
// them; the tests (and run.sh's demonstration) drive it over its standard input and output (see
// tests/chat/sim_protocol.h).
#include <windows.h>

#include <string>
#include <thread>

#include "tests/chat/client_sim/commands.h"
#include "tests/chat/client_sim/message_log.h"
#include "tests/chat/client_sim/sim_windows.h"

namespace {

bool WriteAll(HANDLE out, const std::string& text) {
    size_t written = 0;
    while (written < text.size()) {
        DWORD chunk = 0;
        if (!WriteFile(out, text.data() + written, static_cast<DWORD>(text.size() - written), &chunk, nullptr) ||
            chunk == 0) {
            return false;
        }
        written += chunk;
    }
    return true;
}

// Reads command lines until "quit" or the end of the input (the test process went away).
void CommandLoop(MessageLog* log) {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    WriteAll(out, "ready\n");
    std::string pending;
    char buffer[4096];
    for (;;) {
        const size_t end = pending.find('\n');
        if (end == std::string::npos) {
            DWORD read = 0;
            if (!ReadFile(in, buffer, sizeof buffer, &read, nullptr) || read == 0) {
                return;
            }
            pending.append(buffer, read);
            continue;
        }
        std::string line = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::string answer;
        const bool goOn = RunCommand(line, log, &answer);
        if (!WriteAll(out, answer) || !goOn) {
            return;
        }
    }
}

}  // namespace

int main() {
    MessageLog log;
    if (!StartWindowThread(&log)) {
        return 1;
    }
    std::thread commands([&log] {
        CommandLoop(&log);
        RunOnWindowThread([] { PostQuitMessage(0); });
    });
    // No TranslateMessage: a posted WM_KEYDOWN must reach the log alone, without a WM_CHAR made from it.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    commands.join();
    return 0;
}
