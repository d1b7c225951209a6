#include "suite/ShellStart.h"

#include <shellapi.h>

#include <utility>

#include "core/LogSink.h"
#include "win/Handle.h"

namespace suite {
namespace {

// SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_UNICODE.
constexpr ULONG kElevationMask = 0x4140;
static_assert(kElevationMask == (SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_UNICODE));

ElevationHook& Hook() {
  static ElevationHook hook;
  return hook;
}

const wchar_t* OrNull(const std::wstring& text) {
  return text.empty() ? nullptr : text.c_str();
}

// The shell starts an executable through CreateProcess, whose module name must fit in MAX_PATH on
// the systems we run on (no long-path support before Windows 10), so a longer path can never start.
// Refusing it here also keeps it away from shells that copy the file name into a fixed buffer (Wine's
// ShellExecuteW overflows one near 1,000 characters and takes the whole program down).
constexpr size_t kLongestFile = MAX_PATH - 1;
// CreateProcess takes at most 32,767 characters of command line, terminator included.
constexpr size_t kLongestCommandLine = 32767 - 1;

// The command line is the file in quotes, a blank and the parameters.
bool ShellCanTake(std::wstring_view file, std::wstring_view parameters) noexcept {
  if (file.size() > kLongestFile) return false;
  return parameters.size() <= kLongestCommandLine - (file.size() + 3);
}

// What the shell refuses to start is reported as the missing file the person sees in message 157;
// the TM manager's start counts only this result as a failure.
INT_PTR Refuse(std::wstring_view file, std::wstring_view parameters) {
  app::Log().Line(
      L"Not started: a file of %u characters with %u characters of parameters is more than the "
      L"shell takes.",
      static_cast<unsigned>(file.size()), static_cast<unsigned>(parameters.size()));
  return SE_ERR_FNF;
}

}  // namespace

INT_PTR StartProgram(std::wstring_view path, std::wstring_view arguments) {
  return ShellStart({}, path, arguments, {});
}

INT_PTR ShellStart(std::wstring_view verb, std::wstring_view file, std::wstring_view parameters,
                   std::wstring_view directory) {
  if (!ShellCanTake(file, parameters)) return Refuse(file, parameters);
  const std::wstring verbText(verb), fileText(file), parameterText(parameters), directoryText(directory);
  const HINSTANCE result = ::ShellExecuteW(nullptr, OrNull(verbText), fileText.c_str(), OrNull(parameterText),
                                           OrNull(directoryText), SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result);
}

ShellStarted ShellStartProcess(std::wstring_view verb, std::wstring_view file, std::wstring_view parameters,
                               std::wstring_view directory) {
  ShellStarted started;
  if (!ShellCanTake(file, parameters)) {
    started.result = Refuse(file, parameters);
    return started;
  }
  const std::wstring verbText(verb), fileText(file), parameterText(parameters), directoryText(directory);
  // What ShellExecuteW does, with the process kept.
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = OrNull(verbText);
  info.lpFile = fileText.c_str();
  info.lpParameters = OrNull(parameterText);
  info.lpDirectory = OrNull(directoryText);
  info.nShow = SW_SHOWNORMAL;
  const BOOL ok = ::ShellExecuteExW(&info);
  started.process.reset(info.hProcess);
  started.result = reinterpret_cast<INT_PTR>(info.hInstApp);
  if (!ok && started.result > 32) started.result = SE_ERR_ACCESSDENIED;
  if (!ok) started.process.reset();
  return started;
}

INT_PTR RunElevated(std::wstring_view path, std::wstring_view arguments) {
  if (!ShellCanTake(path, arguments)) return Refuse(path, arguments);
  const std::wstring file(path), parameters(arguments);
  SHELLEXECUTEINFOW info{};
  // The structure's own size: the 60 bytes that older code passes are its 32-bit size, which a
  // 64-bit shell refuses.
  info.cbSize = sizeof(info);
  info.fMask = kElevationMask;
  info.hwnd = nullptr;
  info.lpVerb = L"runas";
  info.lpFile = file.c_str();
  info.lpParameters = OrNull(parameters);
  info.lpDirectory = nullptr;
  info.nShow = SW_SHOWNORMAL;

  if (const ElevationHook& hook = Hook()) {
    ElevationRequest request{info.cbSize, info.fMask,   info.hwnd,    info.lpVerb,
                             file,        std::nullopt, std::nullopt, info.nShow};
    if (info.lpParameters) request.parameters = parameters;
    if (const std::optional<INT_PTR> answer = hook(request)) return *answer;
  }

  const BOOL started = ::ShellExecuteExW(&info);
  // The process handle that SEE_MASK_NOCLOSEPROCESS hands back is not needed.
  const win::UniqueHandle process(info.hProcess);
  const INT_PTR result = reinterpret_cast<INT_PTR>(info.hInstApp);
  // A refused call always counts as failed, whatever it left in hInstApp.
  if (!started && result > 32) return SE_ERR_ACCESSDENIED;
  return result;
}

void SetElevationHook(ElevationHook hook) {
  Hook() = std::move(hook);
}

}  // namespace suite
