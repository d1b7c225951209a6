// The test program doubles as the other programs its tests need: started again (or as a copy under
// another name) with a role switch, it plays that role instead of running the tests.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>

#include "support/Driver.h"

namespace suitetest {

// Runs the role named in argv, if any, and returns its exit code; nullopt when argv names none.
std::optional<int> RunChildRole(int argc, wchar_t** argv);

// Starts a copy of this test program as `copy` that just waits until this process ends; returns
// once the copy runs (true) or has ended (false).
bool StartWaitingCopy(const std::filesystem::path& copy, test::Process& process);

// Starts this test program holding `file` open for reading and writing with no sharing at all;
// returns once the file is held (true) or the child has given up (false).
bool StartExclusiveHolder(const std::filesystem::path& file, test::Process& process);

}  // namespace suitetest
