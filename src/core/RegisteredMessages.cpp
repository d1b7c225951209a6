#include "core/RegisteredMessages.h"

namespace app {

// Registered during static initialisation, before start-up runs.
const UINT kTemplateChangedMessage = ::RegisterWindowMessageW(L"TEMPLATECHANGED");
const UINT kPluginSwitchedMessage = ::RegisterWindowMessageW(L"PLUGINSWITCHED");
const UINT kTmdChangedMessage = ::RegisterWindowMessageW(L"TMDCHANGED");
const UINT kAllowGoHomeMessage = ::RegisterWindowMessageW(L"TALLOW_GO_HOME");

}  // namespace app
