#include "tasks/HostTable.h"

#include <bit>
#include <iterator>

#include "suite/AppId.h"

namespace tasks {
namespace {

constexpr std::wstring_view kOfficeKeys[] = {L"Word", L"Outlook", L"Excel", L"PowerPoint"};
constexpr std::wstring_view kNoVerb = L"NULL";

constexpr int kBrowserIe[] = {512};
constexpr int kBrowserFirefox[] = {256};
// The Office add-ins that open documents: both editions of 2000-2003 and of 2007/2010 (the ED
// Word templates are not offered as hosts).
constexpr int kOfficeHosts[] = {2, 4, 32, 64};
constexpr int kAcrobat[] = {1};
constexpr int kOpenOffice[] = {1024};
constexpr int kQip[] = {4096};
constexpr int kMessenger[] = {2048};
constexpr int kSkype[] = {8192};

struct TokenRow {
  std::wstring_view token;
  std::span<const int> kinds;
  int officeApplication;
};

constexpr TokenRow kTokens[] = {
    {L"VntoIE", kBrowserIe, kNoOfficeApplication},
    {L"FireFox", kBrowserFirefox, kNoOfficeApplication},
    {L"Word", kOfficeHosts, kWord},
    {L"Outlook", kOfficeHosts, kOutlook},
    {L"Excel", kOfficeHosts, kExcel},
    {L"PowerPoint", kOfficeHosts, kPowerPoint},
    {L"Acrobat", kAcrobat, kNoOfficeApplication},
    {L"OpenOffice", kOpenOffice, kNoOfficeApplication},
    {L"VantoQIP", kQip, kNoOfficeApplication},
    {L"VantoMSN", kMessenger, kNoOfficeApplication},
    {L"VantoSkype", kSkype, kNoOfficeApplication},
};

constexpr std::wstring_view kTaskTable[] = {
    L"VntoIE|FireFox",
    L"Word|Vnto|VntoI|VntoX|Batcher",
    L"Excel|Batcher",
    L"Outlook",
    L"VntoICQ|VantoQIP|VantoMSN|VantoSkype",
    L"PowerPoint|Batcher",
    L"Acrobat|Vnto|VntoI|VntoX|Batcher",
    L"OpenOffice",
};

std::wstring JoinOfficeKeys() {
  std::wstring keys;
  for (std::wstring_view key : kOfficeKeys) {
    if (!keys.empty()) keys += L'|';
    keys += key;
  }
  return keys;
}

}  // namespace

std::optional<std::size_t> HostRowOfKind(int kind) noexcept {
  if (kind <= 0) return std::nullopt;
  const int b = static_cast<int>(std::bit_width(static_cast<unsigned>(kind))) - 1;  // floor(log2(kind))
  std::size_t row = 0;
  if (b == 0)
    row = 0;
  else if (b <= 6)
    row = kOfficeRow;
  else
    row = static_cast<std::size_t>(b - 6);
  if (row >= kHostRowCount) return std::nullopt;
  return row;
}

HostTable::HostTable(std::wstring_view programFilesFolder, std::wstring_view skypePath) {
  rows_[0] = {L"Acrobat.exe", L"Acrobat", L"open"};
  rows_[1] = {L"winword.exe|outlook.exe|excel.exe|powerpnt.exe", JoinOfficeKeys(), L"open|NULL|open|open"};
  rows_[2] = {L"firefox.exe", L"FireFox", L"open"};
  rows_[3] = {L"iexplore.exe", L"VntoIE", L"open"};
  rows_[4] = {L"soffice.exe", L"OpenOffice", L"open"};
  rows_[5] = {L"msnmsgr.exe", L"VantoMSN", {}};
  // Composed whether or not QIP Infium is there.
  rows_[6] = {std::wstring(programFilesFolder) + L"\\QIP Infium\\infium.exe", L"VantoQIP", {}};
  rows_[7] = {std::wstring(skypePath), L"VantoSkype", {}};
}

std::optional<HostTarget> HostTable::TargetOfKind(int kind, int officeApplication) const {
  const std::optional<std::size_t> row = HostRowOfKind(kind);
  if (!row) return std::nullopt;
  const HostRow& host = rows_[*row];
  if (*row != kOfficeRow) return HostTarget{host.executable, host.key, host.verb};

  const std::optional<std::wstring_view> executable = FieldAt(host.executable, officeApplication);
  const std::optional<std::wstring_view> key = FieldAt(host.key, officeApplication);
  if (!executable || !key) return std::nullopt;
  std::wstring_view verb = FieldAt(host.verb, officeApplication).value_or(std::wstring_view());
  if (verb == kNoVerb) verb = {};
  return HostTarget{std::wstring(*executable), std::wstring(*key), std::wstring(verb)};
}

std::optional<std::wstring_view> FieldAt(std::wstring_view list, int position) noexcept {
  if (position < 0) return std::nullopt;
  for (int i = 0;; ++i) {
    const std::size_t bar = list.find(L'|');
    if (i == position) return list.substr(0, bar);
    if (bar == std::wstring_view::npos) return std::nullopt;
    list.remove_prefix(bar + 1);
  }
}

TokenKinds KindsOfToken(std::wstring_view token) noexcept {
  for (const TokenRow& row : kTokens)
    if (suite::SameAppId(row.token, token)) return {row.kinds, row.officeApplication};
  return {};
}

std::wstring_view TaskApplications(int taskRow) noexcept {
  if (taskRow < 0 || taskRow >= static_cast<int>(std::size(kTaskTable))) return {};
  return kTaskTable[taskRow];
}

}  // namespace tasks
