// Sends the failures that window and dialog procedures catch to the diagnostic log, one stamped
// line each: "Exception in <procedure>, message 0x<number>: <text>".
#pragma once

namespace app {

// Called once at start-up, before any window exists.
void LogWindowFailures() noexcept;

}  // namespace app
