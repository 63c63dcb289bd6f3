#pragma once

#include <string>

#include "tests/chat/client_sim/message_log.h"

// Carries out one command line of the protocol (see sim_protocol.h) and gives the answer, one or more
// lines each ending in "\n". False once the command was "quit".
bool RunCommand(const std::string& line, MessageLog* log, std::string* answer);
