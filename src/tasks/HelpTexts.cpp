#include "tasks/HelpTexts.h"

#include "StringIds.h"
#include "suite/AppId.h"
#include "tasks/HostTable.h"

namespace tasks {

HelpTextIds HelpTextsOfKind(int kind, int officeApplication) noexcept {
  const suite::HostDescriptor* host = suite::HostOfKind(kind);
  if (!host) return {};
  const bool outlook = officeApplication == kOutlook && host->outlookHelpText != 0;
  return {outlook ? host->outlookHelpText : host->helpText, host->helpSteps};
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
