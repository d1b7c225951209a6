#include "tasks/HandOffParameter.h"

#include <windows.h>

#include "suite/AppId.h"
#include "tasks/DefaultBrowser.h"

namespace tasks {
namespace {

constexpr std::wstring_view kHttp = L"http://";

std::wstring Lowered(std::wstring_view text) {
  std::wstring lowered(text);
  if (!lowered.empty()) ::CharLowerBuffW(lowered.data(), static_cast<DWORD>(lowered.size()));
  return lowered;
}

}  // namespace

bool IsEmptyDocument(std::wstring_view document) {
  std::wstring rest(document);
  for (size_t at = rest.find(kHttp); at != std::wstring::npos; at = rest.find(kHttp, at)) rest.erase(at, kHttp.size());
  return rest.empty();
}

std::wstring HostParameter(std::wstring_view executable, std::wstring_view document) {
  if (SameFileName(executable, L"firefox.exe")) {
    const std::wstring lowered = Lowered(document);
    if (!lowered.starts_with(kHttp)) return std::wstring(kHttp) + lowered;
    return std::wstring(document);
  }
  if (document.empty()) return {};
  return L"\"" + std::wstring(document) + L"\"";
}

bool NeedsWord2007(std::wstring_view key, std::wstring_view parameter) noexcept {
  return (suite::SameAppId(key, L"vnto") || suite::SameAppId(key, L"vntox")) &&
         parameter.find(L".docx") != std::wstring_view::npos;
}

std::wstring WriterParameter(std::wstring_view parameter) {
  return L"-swriter " + std::wstring(parameter);
}

}  // namespace tasks
