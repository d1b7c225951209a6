#include "suite/RecentDocuments.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "core/RegistryKey.h"
#include "core/RegistryLayout.h"
#include "suite/NameCompare.h"

namespace suite {

namespace {

constexpr wchar_t kDocumentValue[] = L"Document";
constexpr wchar_t kTaskValue[] = L"Task";
constexpr wchar_t kApplicationValue[] = L"Application";
constexpr wchar_t kDirectionValue[] = L"Direction";
constexpr wchar_t kProfileValue[] = L"Profile";
constexpr wchar_t kTimeValue[] = L"Handed over";  // "YYYY-MM-DD hh:mm:ss", UTC

std::wstring TimeText(const FILETIME& time) {
  SYSTEMTIME parts{};
  if (!::FileTimeToSystemTime(&time, &parts)) return {};
  wchar_t text[32] = {};
  std::swprintf(text, std::size(text), L"%04u-%02u-%02u %02u:%02u:%02u", parts.wYear, parts.wMonth,
                parts.wDay, parts.wHour, parts.wMinute, parts.wSecond);
  return text;
}

// A text that is no time gives none: the entry stays, without its date.
FILETIME TimeOf(const std::wstring& text) {
  SYSTEMTIME parts{};
  unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  FILETIME time{};
  if (std::swscanf(text.c_str(), L"%4u-%2u-%2u %2u:%2u:%2u", &year, &month, &day, &hour, &minute, &second) !=
      6)
    return time;
  parts = {static_cast<WORD>(year),
           static_cast<WORD>(month),
           0,
           static_cast<WORD>(day),
           static_cast<WORD>(hour),
           static_cast<WORD>(minute),
           static_cast<WORD>(second),
           0};
  if (!::SystemTimeToFileTime(&parts, &time)) return {};
  return time;
}

std::optional<RecentDocument> ReadEntry(const app::RegistryKey& entry) {
  const auto isText = [&entry](const wchar_t* name) {
    const DWORD type = entry.ValueType(name);
    return type == REG_SZ || type == REG_EXPAND_SZ;
  };
  if (!isText(kDocumentValue) || !isText(kApplicationValue) || !isText(kProfileValue) ||
      entry.ValueType(kTaskValue) != REG_DWORD || entry.ValueType(kDirectionValue) != REG_DWORD)
    return std::nullopt;
  RecentDocument document;
  document.document = entry.ReadString(kDocumentValue);
  if (document.document.empty()) return std::nullopt;
  document.taskCode = static_cast<int>(entry.ReadNumber(kTaskValue, 0));
  document.application = entry.ReadString(kApplicationValue);
  document.directionId = static_cast<int>(entry.ReadNumber(kDirectionValue, 0));
  document.profile = entry.ReadString(kProfileValue);
  document.handedOver = TimeOf(entry.ReadString(kTimeValue));
  return document;
}

bool WriteEntry(app::RegistryKey& entry, const RecentDocument& document) {
  return entry.WriteString(kDocumentValue, document.document) &&
         entry.WriteNumber(kTaskValue, static_cast<DWORD>(document.taskCode)) &&
         entry.WriteString(kApplicationValue, document.application) &&
         entry.WriteNumber(kDirectionValue, static_cast<DWORD>(document.directionId)) &&
         entry.WriteString(kProfileValue, document.profile) &&
         entry.WriteString(kTimeValue, TimeText(document.handedOver));
}

// The list as `documents` says, entry "1" first; the numbers past its end go.
bool WriteAll(const std::vector<RecentDocument>& documents) {
  app::RegistryKey list;
  if (!list.Create(HKEY_CURRENT_USER, reg::kRecentDocuments)) return false;
  bool written = true;
  for (size_t i = 0; i < documents.size(); ++i) {
    // The entry is written whole into a key of its own: values of an older entry do not stay.
    const std::wstring name = std::to_wstring(i + 1);
    (void)list.DeleteTree(name, true);
    std::optional<app::RegistryKey> entry = list.OpenChild(name, true, reg::kWrite);
    written = entry && WriteEntry(*entry, documents[i]) && written;
  }
  for (size_t i = documents.size(); i < kRecentDocumentsKept * 2; ++i)
    (void)list.DeleteTree(std::to_wstring(i + 1), true);
  return written;
}

}  // namespace

std::vector<RecentDocument> ReadRecentDocuments() {
  std::vector<RecentDocument> documents;
  app::RegistryKey list;
  if (!list.Open(HKEY_CURRENT_USER, reg::kRecentDocuments)) return documents;
  for (size_t i = 1; i <= kRecentDocumentsKept; ++i) {
    std::optional<app::RegistryKey> entry = list.OpenChild(std::to_wstring(i), false, reg::kRead);
    if (!entry) continue;
    std::optional<RecentDocument> document = ReadEntry(*entry);
    if (!document) continue;
    const bool twice = std::ranges::any_of(
        documents, [&](const RecentDocument& seen) { return SameName(seen.document, document->document); });
    if (!twice) documents.push_back(std::move(*document));
  }
  return documents;
}

bool RememberDocument(const RecentDocument& document) {
  std::vector<RecentDocument> documents = ReadRecentDocuments();
  std::erase_if(documents,
                [&](const RecentDocument& old) { return SameName(old.document, document.document); });
  documents.insert(documents.begin(), document);
  if (documents.size() > kRecentDocumentsKept) documents.resize(kRecentDocumentsKept);
  return WriteAll(documents);
}

bool ForgetDocument(std::wstring_view document) {
  std::vector<RecentDocument> documents = ReadRecentDocuments();
  std::erase_if(documents, [&](const RecentDocument& old) { return SameName(old.document, document); });
  return WriteAll(documents);
}

bool ForgetAllDocuments() {
  app::RegistryKey startdeck;
  if (!startdeck.Open(HKEY_CURRENT_USER, reg::kStartdeck, reg::kWrite)) return true;
  (void)startdeck.DeleteTree(L"Recent Documents", true);
  app::RegistryKey left;
  return !left.Open(HKEY_CURRENT_USER, reg::kRecentDocuments);
}

}  // namespace suite
