// The records the start centre leaves for the programs it starts: REG_SZ values under HKCU
// "Software\Korvelsoft\VNTO9\Running", named by the started program's app ID (or a host's key),
// with ";"-joined fields S= (kernel server), G= (database), D= T= U= (direction, profile, document).
// The formats are portable; RunningKey.h writes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace suite {

// Where the translation kernel runs: on this machine, or on the named server.
struct KernelLocation {
  bool local = true;
  std::wstring server;
};

// A start from the launch list, and the in-process editing of translation memories:
// "S=local", or "S=<server>".
[[nodiscard]] std::wstring ListLaunchRecord(const KernelLocation& kernel);
// A menu command's application: nothing with a local kernel, else "S=<server>".
[[nodiscard]] std::optional<std::wstring> CommandLaunchRecord(const KernelLocation& kernel);
// The TM manager opening a database: "G=<database>", then ";S=<server>" for a server kernel.
[[nodiscard]] std::wstring TmManagerRecord(std::wstring_view database, const KernelLocation& kernel);
// The in-process editing of translation memories: the same as a launch-list start.
[[nodiscard]] std::wstring TmEditingRecord(const KernelLocation& kernel);
// The dictionary installation command: "S=" with the server's name, or with nothing after it.
[[nodiscard]] std::wstring DictionaryInstallRecord(const KernelLocation& kernel);
// The document hand-off to a host: "D=<direction>;T=<profile>;U=<parameter>", then ";S=<server>".
[[nodiscard]] std::wstring HandOffRecord(int directionId, std::wstring_view profile,
                                         std::wstring_view parameter, const KernelLocation& kernel);

}  // namespace suite
