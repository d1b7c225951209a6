// The web-service component is a program of its own, started by COM from its registration. When its
// class is registered but the program is gone (deleted, or an installation moved by hand), creating
// it fails like a component that is simply not installed; the person is told which file is missing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace updates {

// The program of a LocalServer32 command line: the quoted text when it starts with a quote, else
// the text up to and with its first ".exe", else the whole text (blanks trimmed).
[[nodiscard]] std::wstring ProgramOfCommandLine(std::wstring_view commandLine);

// The program that the component's registration names, when it is registered and that file does
// not exist; nullopt when it is not registered as a program, or the program is there.
[[nodiscard]] std::optional<std::wstring> MissingComponentProgram();

}  // namespace updates
