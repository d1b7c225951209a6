// The documents the user handed over last, per user: the ten newest, newest first, one entry per
// document, each with what it was handed to (its task, the application as the panel's list names it,
// the direction and the profile) and when. Kept under HKCU in reg::kRecentDocuments, a numbered
// subkey an entry; an entry that is damaged (a value missing or of another type) is passed over.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace suite {

struct RecentDocument {
  std::wstring document;  // a file's path or a web address
  int taskCode = 0;
  std::wstring application;
  int directionId = 0;
  std::wstring profile;
  FILETIME handedOver{};  // UTC
};

inline constexpr size_t kRecentDocumentsKept = 10;

[[nodiscard]] std::vector<RecentDocument> ReadRecentDocuments();
// `document` becomes the newest entry; an older one of the same document (compared without regard
// to case) goes, and so does the eleventh. False when the list could not be written.
bool RememberDocument(const RecentDocument& document);
// The entry of `document` goes; the others keep their order.
bool ForgetDocument(std::wstring_view document);
bool ForgetAllDocuments();

}  // namespace suite
