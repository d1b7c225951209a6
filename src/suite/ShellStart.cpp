#include "suite/ShellStart.h"

#include <shellapi.h>

#include <utility>

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

}  // namespace

INT_PTR StartProgram(std::wstring_view path, std::wstring_view arguments) {
  const std::wstring file(path), parameters(arguments);
  const HINSTANCE result =
      ::ShellExecuteW(nullptr, nullptr, file.c_str(), OrNull(parameters), nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result);
}

INT_PTR RunElevated(std::wstring_view path, std::wstring_view arguments) {
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
