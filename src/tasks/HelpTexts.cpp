#include "tasks/HelpTexts.h"

#include "suite/Applications.h"
#include "tasks/HostTable.h"

namespace tasks {

HelpTextIds HelpTextsOfKind(int kind, int officeApplication) noexcept {
  const suite::HostDescriptor* host = suite::HostOfKind(kind);
  if (!host) return {};
  const bool outlook = officeApplication == kOutlook && host->outlookHelpText != 0;
  return {outlook ? host->outlookHelpText : host->helpText, host->helpSteps};
}

HelpTextIds HelpTextsOfApplication(std::wstring_view appId) noexcept {
  const suite::Application* application = suite::FindApplication(appId);
  if (!application) return {};
  return {application->helpId, application->helpStepsId};
}

}  // namespace tasks
