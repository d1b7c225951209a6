#include "updates/ComponentProgram.h"

#include <windows.h>

#include <cwctype>

#include "core/RegistryKey.h"

namespace updates {
namespace {

// The component's class, as its registration is found under HKEY_CLASSES_ROOT.
constexpr wchar_t kServerKey[] = L"CLSID\\{C1D2E3F4-A5B6-4C7D-8E9F-0A1B2C3D4E5F}\\LocalServer32";

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && std::iswspace(text.front())) text.remove_prefix(1);
  while (!text.empty() && std::iswspace(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::wstring ProgramOfCommandLine(std::wstring_view commandLine) {
  const std::wstring_view line = Trimmed(commandLine);
  if (line.starts_with(L'"')) {
    const size_t close = line.find(L'"', 1);
    return std::wstring(
        line.substr(1, close == std::wstring_view::npos ? std::wstring_view::npos : close - 1));
  }
  std::wstring lower(line);
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
  if (const size_t exe = lower.find(L".exe"); exe != std::wstring::npos)
    return std::wstring(line.substr(0, exe + 4));
  return std::wstring(line);
}

std::optional<std::wstring> MissingComponentProgram() {
  app::RegistryKey server;
  if (!server.Open(HKEY_CLASSES_ROOT, kServerKey, reg::kRead)) return std::nullopt;
  const std::wstring program = ProgramOfCommandLine(server.ReadString(L""));
  if (program.empty()) return std::nullopt;
  if (::GetFileAttributesW(program.c_str()) != INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return program;
}

}  // namespace updates
