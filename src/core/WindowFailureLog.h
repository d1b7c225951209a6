// Sends the failures that window and dialog procedures catch to the diagnostic log, one stamped
// line each, for example "Exception in window procedure of StartdeckCustomList, message 0x0201: " and
// the exception's own text.
#pragma once

namespace app {

// Called once at start-up, before any window exists.
void LogWindowFailures() noexcept;

}  // namespace app
