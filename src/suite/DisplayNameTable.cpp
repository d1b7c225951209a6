// The display-name tables. The plug-ins manager is "VntoEM" here, though the catalogue and the
// launcher call it "VantoEM": each table matches only its own spelling.
#include "StringIds.h"
#include "suite/AppId.h"
#include "suite/DisplayNames.h"
#include "suite/HostDescriptor.h"

namespace suite {
namespace {

struct NameRow {
  std::wstring_view appId;
  DisplayNameSource source;
};

constexpr NameRow kApplications[] = {
    {L"Lexa", {IDS_APP_LEXA, {}}},
    {L"LexaI", {IDS_APP_LEXAI, {}}},
    {L"Dictkit", {IDS_APP_DICTKIT, {}}},
    {L"DictkitI", {IDS_APP_DICTKITI, {}}},
    {L"Batcher", {IDS_APP_BATCHER, {}}},
    {L"UBackup", {IDS_APP_UBACKUP, {}}},
    {L"xre", {IDS_APP_XRE, {}}},
    {L"Vnto", {IDS_APP_VNTO, {}}},
    {L"VntoI", {IDS_APP_VNTOI, {}}},
    {L"VntoEM", {IDS_APP_VANTOEM, {}}},
    {L"VntoICQ", {0, L"ICQ"}},
    {L"VntoX", {IDS_APP_VNTOX, {}}},
    {L"TMD", {IDS_APP_TMD, {}}},
    {L"PackMaker", {IDS_APP_PACKMAKER, {}}},
    {L"DictInst", {IDS_APP_DICTINST, {}}},
    {L"DictInstS", {IDS_NET_DICT_INSTALLER, {}}},
    {L"Glosso", {IDS_APP_GLOSSO, {}}},
    {L"GlossoL", {IDS_APP_GLOSSOL, {}}},
    {L"GlossoConv", {IDS_APP_GLOSSOCONV, {}}},
    {L"TRADOS", {IDS_APP_TRADOS, {}}},
    {L"SrvLogin", {IDS_NET_SERVER_LOGIN, {}}},
    {L"SrvConfig", {IDS_NET_SERVER_SETUP, {}}},
    {L"NetUM", {IDS_NET_USER_MANAGER, {}}},
    {L"NetLA", {IDS_NET_LINGUISTIC_ADMIN, {}}},
    {L"UBackupNET", {IDS_NET_BACKUP, {}}},
    {L"NetSync", {IDS_NET_SYNC, {}}},
    {L"UpdLauncher", {IDS_UPDATER, {}}},
};

const DisplayNameSource* Find(std::span<const NameRow> rows, std::wstring_view appId) noexcept {
  for (const NameRow& row : rows)
    if (SameAppId(row.appId, appId)) return &row.source;
  return nullptr;
}

}  // namespace

DisplayNameSource LookUpDisplayName(std::wstring_view appId, bool hostFlag) noexcept {
  if (hostFlag)
    if (const HostProgram* host = HostProgramOfToken(appId)) return {0, host->displayName};
  if (const DisplayNameSource* application = Find(kApplications, appId)) return *application;
  return {};
}

}  // namespace suite
