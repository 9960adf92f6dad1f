// The replayer's sandbox: once the game's data is in memory, the process keeps only the system
// calls a replay makes (reading its recording, printing its report, memory, its clock), and
// any other call ends it with SIGSYS. It can open no file, socket or process.
#pragma once

#include <string>

namespace brinecast::scores {

// Whether this build sandboxes at all: the address sanitizer's own run-time (its leak check
// at exit starts a thread and reads files) cannot live in one.
bool SandboxBuilt();

// Enters the sandbox for good; false with `error` set when the kernel refused it.
bool EnterSandbox(std::string& error);

}  // namespace brinecast::scores
