// Where the build put things, seen from a running test program.
#pragma once

#include <filesystem>

namespace test {

// The folder of the running test program: the build's bin folder, beside Startdeck.exe and the
// language libraries.
[[nodiscard]] std::filesystem::path BinFolder();

}  // namespace test
