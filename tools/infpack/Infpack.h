#pragma once
// infpack: writes encrypted profile (.inf) files from JSON and dumps them back to JSON.

#include <cstdio>
#include <filesystem>
#include <vector>

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitDamagedStream = 3;  // dump printed what it could read

// `args` are the command-line arguments after the program name.
int RunInfpack(const std::vector<std::filesystem::path>& args, std::FILE* out, std::FILE* err);
