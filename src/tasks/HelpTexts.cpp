#include "tasks/HelpTexts.h"

#include "StringIds.h"
#include "suite/AppId.h"
#include "tasks/HostTable.h"

namespace tasks {

HelpTextIds HelpTextsOfKind(int kind, int officeApplication) noexcept {
  const bool outlook = officeApplication == kOutlook;
  switch (kind) {
    case 1: return {IDS_HELP_ACROBAT, IDS_HELP_ACROBAT_STEPS};
    case 2:
    case 4: return {outlook ? unsigned{IDS_HELP_OUTLOOK2003} : unsigned{IDS_HELP_OFFICE2003}, 0};
    case 32:
    case 64: return {outlook ? unsigned{IDS_HELP_OUTLOOK2007} : unsigned{IDS_HELP_OFFICE2007}, 0};
    case 256:
    case 512: return {IDS_HELP_BROWSER, 0};
    case 1024: return {IDS_HELP_OPENOFFICE, 0};
    case 2048: return {IDS_HELP_MESSENGER, IDS_HELP_MESSENGER_STEPS};
    case 4096: return {IDS_HELP_QIP, IDS_HELP_QIP_STEPS};
    case 8192: return {IDS_HELP_SKYPE, IDS_HELP_SKYPE_STEPS};
    default: return {};  // the ED Word templates are never offered as hosts
  }
}

HelpTextIds HelpTextsOfApplication(std::wstring_view appId) noexcept {
  using suite::SameAppId;
  if (SameAppId(appId, L"Vnto")) return {IDS_HELP_VNTO, 0};
  if (SameAppId(appId, L"VntoX")) return {IDS_HELP_VNTOX, 0};
  if (SameAppId(appId, L"Batcher")) return {IDS_HELP_BATCHER, 0};
  if (SameAppId(appId, L"VntoICQ")) return {IDS_HELP_ICQ, IDS_HELP_ICQ_STEPS};
  return {};
}

}  // namespace tasks
