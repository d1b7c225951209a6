#include "suite/Catalogue.h"

#include "StringIds.h"
#include "suite/AppId.h"

namespace suite {
namespace {

// Rows that share an icon stand for editions of one application.
constexpr CatalogueRow kCatalogue[] = {
    {L"Vnto", IDS_APP_VNTO, IDS_APP_VNTO_DESC, 223, {}},
    {L"VntoI", IDS_APP_VNTOI, IDS_APP_VNTOI_DESC, 223, {}},
    {L"VntoX", IDS_APP_VNTOX, IDS_APP_VNTOX_DESC, 221, {}},
    {L"Lexa", IDS_APP_LEXA, IDS_APP_LEXA_DESC, 222, {}},
    {L"LexaI", IDS_APP_LEXAI, IDS_APP_LEXAI_DESC, 222, {}},
    {L"Dictkit", IDS_APP_DICTKIT, IDS_APP_DICTKIT_DESC, 228, {}},
    {L"DictkitI", IDS_APP_DICTKITI, IDS_APP_DICTKITI_DESC, 228, {}},
    {L"TRADOS", IDS_APP_TRADOS, IDS_APP_TRADOS_DESC, 231, {}},
    {L"Skiff", IDS_APP_SKIFF, IDS_APP_SKIFF_DESC, 434, {}},
    {L"DictInst", IDS_APP_DICTINST, IDS_APP_DICTINST_DESC, 219, {}},
    {L"VntoICQ", IDS_APP_VNTOICQ, IDS_APP_VNTOICQ_DESC, 233, {}},
    {L"Batcher", IDS_APP_BATCHER, IDS_APP_BATCHER_DESC, 224, {}},
    {L"VantoEM", IDS_APP_VANTOEM, IDS_APP_VANTOEM_DESC, 220, {}},
    {L"Glosso", IDS_APP_GLOSSO, IDS_APP_GLOSSO_DESC, 230, {}},
    {L"GlossoL", IDS_APP_GLOSSOL, IDS_APP_GLOSSOL_DESC, 230, {}},
    {L"TMD", IDS_APP_TMD, IDS_APP_TMD_DESC, 225, {}},
    {L"GlossoConv", IDS_APP_GLOSSOCONV, IDS_APP_GLOSSOCONV_DESC, 232, {}},
    {L"xre", IDS_APP_XRE, IDS_APP_XRE_DESC, 226, {}},
    {L"UBackup", IDS_APP_UBACKUP, IDS_APP_UBACKUP_DESC, 227, {}},
    {L"PackMaker", IDS_APP_PACKMAKER, IDS_APP_PACKMAKER_DESC, 229, {}},
    {L"QaStudio", IDS_APP_QASTUDIO, IDS_APP_QASTUDIO_DESC, 433, {}},
    {L"QaProbe", IDS_APP_QAPROBE, IDS_APP_QAPROBE_DESC, 435, {}},
};

}  // namespace

std::span<const CatalogueRow> Catalogue() noexcept {
  return kCatalogue;
}

const CatalogueRow* FindCatalogueRow(std::wstring_view appId) noexcept {
  for (const CatalogueRow& row : kCatalogue)
    if (SameAppId(row.appId, appId)) return &row;
  return nullptr;
}

}  // namespace suite
