#include "tasks/HandOffParameter.h"

#include "suite/AppId.h"
#include "tasks/DefaultBrowser.h"

namespace tasks {
namespace {

constexpr std::wstring_view kHttp = L"http://";

// The schemes an address may name for the browser to take it as it stands. Anything else before a
// colon ("localhost:8080", "C:") is not one of them.
constexpr std::wstring_view kSchemes[] = {L"http", L"https", L"ftp", L"file"};

}  // namespace

bool NamesScheme(std::wstring_view address) noexcept {
  const size_t colon = address.find(L':');
  if (colon == std::wstring_view::npos) return false;
  const std::wstring_view scheme = address.substr(0, colon);
  // Schemes are ASCII and, like app IDs, compared without regard to case.
  for (std::wstring_view known : kSchemes)
    if (suite::SameAppId(scheme, known)) return true;
  return false;
}

bool IsEmptyDocument(std::wstring_view document) {
  std::wstring rest(document);
  for (size_t at = rest.find(kHttp); at != std::wstring::npos; at = rest.find(kHttp, at)) rest.erase(at, kHttp.size());
  return rest.empty();
}

std::wstring HostParameter(std::wstring_view executable, std::wstring_view document) {
  if (SameFileName(executable, L"firefox.exe")) {
    // Paths and queries are case-sensitive: the address goes exactly as typed.
    if (NamesScheme(document)) return std::wstring(document);
    return std::wstring(kHttp) + std::wstring(document);
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
