#include "tasks/HandOffParameter.h"

#include "suite/AppId.h"
#include "suite/HostDescriptor.h"
#include "tasks/DroppedFile.h"

namespace tasks {
namespace {

constexpr std::wstring_view kHttp = L"http://";

// The schemes an address may name for the browser to take it as it stands. Anything else before a
// colon ("localhost:8080", "C:") is not one of them.
constexpr std::wstring_view kSchemes[] = {L"http", L"https", L"ftp", L"file"};

// "C:\..." or "C:/..." with a drive letter, or "\\server\share\...": a file on this machine or the
// network, typed into the web-page field as a path.
bool IsLocalPath(std::wstring_view text) noexcept {
  if (text.size() >= 3 && ((text[0] >= L'A' && text[0] <= L'Z') || (text[0] >= L'a' && text[0] <= L'z')) &&
      text[1] == L':' && (text[2] == L'\\' || text[2] == L'/'))
    return true;
  return text.starts_with(L"\\\\");
}

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
  for (size_t at = rest.find(kHttp); at != std::wstring::npos; at = rest.find(kHttp, at))
    rest.erase(at, kHttp.size());
  if (rest.empty()) return true;
  // A scheme with nothing after it ("https://", "FILE:///") names no page either.
  if (!NamesScheme(document)) return false;
  return document.substr(document.find(L':') + 1).find_first_not_of(L'/') == std::wstring_view::npos;
}

std::wstring HostParameter(std::wstring_view executable, std::wstring_view document) {
  const suite::HostProgram* program = suite::HostProgramOfExecutable(executable);
  if (program && program->documentForm == suite::DocumentForm::kAddress) {
    // Paths and queries are case-sensitive: the address goes exactly as typed.
    if (NamesScheme(document)) return std::wstring(document);
    // A path typed in goes as the file URL a dropped page gets, not as a host name.
    if (IsLocalPath(document))
      if (std::optional<std::wstring> url = FileUrlOfPath(document)) return std::move(*url);
    return std::wstring(kHttp) + std::wstring(document);
  }
  if (document.empty()) return {};
  return L"\"" + std::wstring(document) + L"\"";
}

bool NeedsWord2007(std::wstring_view key, std::wstring_view parameter) noexcept {
  // The parameter is the document in quotes; its extension decides, however it is written.
  if (parameter.size() >= 2 && parameter.front() == L'"' && parameter.back() == L'"')
    parameter = parameter.substr(1, parameter.size() - 2);
  return (suite::SameAppId(key, L"vnto") || suite::SameAppId(key, L"vntox")) &&
         HasExtension(parameter, L"docx");
}

std::wstring WriterParameter(std::wstring_view parameter) {
  return L"-swriter " + std::wstring(parameter);
}

}  // namespace tasks
