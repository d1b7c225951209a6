#include "Identity.h"

namespace suiteapp {
namespace {

struct AppRow {
  std::wstring_view id;
  std::wstring_view name;
};

// The suite's applications by app ID. The plug-ins manager goes by two IDs (VantoEM, VntoEM).
constexpr AppRow kApps[] = {
    {L"Vnto", L"VANTO Translator"},
    {L"VntoI", L"VANTO Translator Pro"},
    {L"VntoX", L"VANTO Translator Lite"},
    {L"Lexa", L"VANTO Dictionary Editor"},
    {L"LexaI", L"VANTO Dictionary Editor Pro"},
    {L"Dictkit", L"VANTO Dictionary Manager"},
    {L"DictkitI", L"VANTO Dictionary Manager Pro"},
    {L"TRADOS", L"VANTO for TRADOS"},
    {L"Skiff", L"VANTO QA Lab"},
    {L"DictInst", L"VANTO Dictionary Installer"},
    {L"DictInstS", L"VANTO Dictionary Installer (network version)"},
    {L"VntoICQ", L"VANTO for ICQ"},
    {L"Batcher", L"VANTO Batch Translator"},
    {L"VantoEM", L"VANTO Plug-ins Manager"},
    {L"VntoEM", L"VANTO Plug-ins Manager"},
    {L"Glosso", L"VANTO Terminology Manager"},
    {L"GlossoL", L"VANTO Terminology Manager Lite"},
    {L"GlossoConv", L"VANTO Terminology Converter"},
    {L"TMD", L"VANTO TM Manager"},
    {L"xre", L"VANTO XML Rules Editor"},
    {L"UBackup", L"VANTO Backup"},
    {L"UBackupNET", L"VANTO Backup (network version)"},
    {L"PackMaker", L"VANTO PackMaker"},
    {L"QaStudio", L"QaStudio"},
    {L"QaProbe", L"QaProbe"},
    {L"SrvLogin", L"Server Login"},
    {L"SrvConfig", L"Server Setup"},
    {L"NetUM", L"User Manager"},
    {L"NetUMI", L"User Manager Pro"},
    {L"NetLA", L"Linguistic Administrator"},
    {L"NetLAI", L"Linguistic Administrator Pro"},
    {L"NetSync", L"Data Synchronization"},
    {L"UpdLauncher", L"VANTO Updater"},
};

wchar_t Folded(wchar_t c) {
  return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

}  // namespace

bool SameId(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Folded(a[i]) != Folded(b[i])) return false;
  return true;
}

std::wstring_view FileName(std::wstring_view path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

std::wstring_view FileTitle(std::wstring_view path) {
  std::wstring_view name = FileName(path);
  const size_t dot = name.find_last_of(L'.');
  return (dot == std::wstring_view::npos || dot == 0) ? name : name.substr(0, dot);
}

Identity IdentityFor(std::wstring_view fileTitle) {
  for (const HostRow& host : kHosts) {
    if (SameId(host.executable, fileTitle))
      return {std::wstring(host.key), std::wstring(host.name), true, host.place};
  }
  for (const AppRow& app : kApps) {
    if (SameId(app.id, fileTitle)) return {std::wstring(app.id), std::wstring(app.name)};
  }
  return {std::wstring(fileTitle), std::wstring(fileTitle)};
}

}  // namespace suiteapp
