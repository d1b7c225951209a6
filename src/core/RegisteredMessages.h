// The suite's broadcast vocabulary: window messages registered by name, shared by all suite programs.
#pragma once

#include <windows.h>

namespace app {

// Sent by us after translation profiles were edited.
extern const UINT kTemplateChangedMessage;
// Received: reload the plug-in states.
extern const UINT kPluginSwitchedMessage;
// Received: reload the translation-memory list.
extern const UINT kTmdChangedMessage;
// Received: come to the foreground and close.
extern const UINT kAllowGoHomeMessage;

}  // namespace app
