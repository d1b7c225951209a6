#include "WebServiceSwitches.h"

#include <cwchar>
#include <thread>

#include "support/RegistrySandbox.h"

namespace test {
namespace {

constexpr wchar_t kKey[] = L"Software\\Korvelsoft\\VNTO9\\WebServiceSubstitute";

std::wstring Wide(const std::string& utf8) {
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
  return text;
}

}  // namespace

WebServiceSwitches::WebServiceSwitches() : journal_(scratch_.path() / L"webservice.log") {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
  Set(L"Journal", journal_.wstring());
}

WebServiceSwitches::~WebServiceSwitches() {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
}

void WebServiceSwitches::Set(const std::wstring& name, DWORD value) const {
  SetDword(HKEY_CURRENT_USER, kKey, name, value);
}

void WebServiceSwitches::Set(const std::wstring& name, const std::wstring& value) const {
  SetString(HKEY_CURRENT_USER, kKey, name, value);
}

std::vector<std::wstring> WebServiceSwitches::Lines() const {
  std::vector<std::wstring> lines;
  std::error_code ec;
  if (!std::filesystem::exists(journal_, ec)) return lines;
  const std::wstring text = Wide(ReadFile(journal_));
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::map<std::wstring, std::vector<std::wstring>> WebServiceSwitches::Objects() const {
  std::map<std::wstring, std::vector<std::wstring>> objects;
  for (const std::wstring& line : Lines()) {
    const size_t blank = line.find(L' ');
    const std::wstring name = line.substr(0, blank);
    if (name.find(L'.') == std::wstring::npos || blank == std::wstring::npos) continue;
    objects[name].push_back(line.substr(blank + 1));
  }
  return objects;
}

std::map<std::wstring, std::vector<std::wstring>> WebServiceSwitches::ObjectsAfter(
    const std::wstring& last, std::chrono::milliseconds timeout) const {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    auto objects = Objects();
    for (const auto& object : objects)
      for (const std::wstring& line : object.second)
        if (line == last) return objects;
    if (std::chrono::steady_clock::now() > end) return objects;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

std::vector<std::wstring> CallNames(const std::vector<std::wstring>& lines) {
  std::vector<std::wstring> names;
  for (const std::wstring& line : lines) {
    size_t end = line.find_first_of(L" (");
    // "get X", "put X" and "Event N" name their property or event too.
    for (const wchar_t* prefix : {L"get ", L"put ", L"Event "})
      if (line.rfind(prefix, 0) == 0) end = line.find_first_of(L" (", std::wcslen(prefix));
    names.push_back(line.substr(0, end));
  }
  return names;
}

std::vector<DWORD> ServerProcesses(const std::map<std::wstring, std::vector<std::wstring>>& objects) {
  std::vector<DWORD> ids;
  for (const auto& object : objects) {
    const DWORD id = static_cast<DWORD>(std::stoul(object.first.substr(0, object.first.find(L'.'))));
    if (ids.empty() || ids.back() != id) ids.push_back(id);
  }
  return ids;
}

}  // namespace test
