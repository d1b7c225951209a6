// Who a copy of the substitute is, worked out from its executable's file title alone.
//
// A suite application answers for the app ID that its file title spells (Batcher.exe is
// `Batcher`); a host program answers for the host key under which the start centre leaves its
// hand-off record, which is not its file title (winword.exe reads `Word`). No windows.h here.
#pragma once

#include <string>
#include <string_view>

namespace suiteapp {

// Where a host program's add-in finds its Running record.
enum class RecordPlace {
  kCurrentUser,  // HKCU ...\VNTO9\Running
  // Internet Explorer's protected mode: from Windows Vista on, its add-ins see a per-SID key
  // under HKEY_USERS as their HKCU, and the start centre writes the record there.
  kInternetExplorerProtectedMode,
};

struct HostRow {
  std::wstring_view executable;  // file title, compared without regard to case
  std::wstring_view key;         // the Running value it reads
  std::wstring_view name;
  RecordPlace place;
};

// The host programs the start centre hands documents to, by executable file title.
inline constexpr HostRow kHosts[] = {
    {L"winword", L"Word", L"Microsoft Word", RecordPlace::kCurrentUser},
    {L"outlook", L"Outlook", L"Microsoft Outlook", RecordPlace::kCurrentUser},
    {L"excel", L"Excel", L"Microsoft Excel", RecordPlace::kCurrentUser},
    {L"powerpnt", L"PowerPoint", L"Microsoft PowerPoint", RecordPlace::kCurrentUser},
    {L"Acrobat", L"Acrobat", L"Adobe Acrobat", RecordPlace::kCurrentUser},
    {L"AcroRD32", L"Acrobat", L"Adobe Reader", RecordPlace::kCurrentUser},
    {L"firefox", L"FireFox", L"Mozilla Firefox", RecordPlace::kCurrentUser},
    {L"iexplore", L"VntoIE", L"Microsoft Internet Explorer", RecordPlace::kInternetExplorerProtectedMode},
    {L"soffice", L"OpenOffice", L"OpenOffice", RecordPlace::kCurrentUser},
    {L"msnmsgr", L"VantoMSN", L"MSN Live Messenger", RecordPlace::kCurrentUser},
    {L"infium", L"VantoQIP", L"QIP Infium", RecordPlace::kCurrentUser},
    {L"Skype", L"VantoSkype", L"Skype", RecordPlace::kCurrentUser},
};

struct Identity {
  std::wstring appId;  // the Running value name this copy answers for
  std::wstring name;   // shown in the caption
  bool host = false;
  RecordPlace place = RecordPlace::kCurrentUser;
};

// The identity of a copy whose executable's file title (name without extension) is `fileTitle`.
// Unknown titles answer for themselves and are named by their title.
[[nodiscard]] Identity IdentityFor(std::wstring_view fileTitle);

// The file title of a path: the text after the last '\' or '/', without its last extension.
[[nodiscard]] std::wstring_view FileTitle(std::wstring_view path);
// The file name of a path: the text after the last '\' or '/'.
[[nodiscard]] std::wstring_view FileName(std::wstring_view path);

// ASCII case-insensitive comparison, as the registry compares value names of this suite.
[[nodiscard]] bool SameId(std::wstring_view a, std::wstring_view b);

}  // namespace suiteapp
