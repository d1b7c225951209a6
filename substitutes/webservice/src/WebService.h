// The component's object: the dual interface, its connection point for the events, and the
// behaviour the settings ask for.
#pragma once

#include <windows.h>

#include "vanto/VantoWebService.h"

namespace websvc {

// A new object with one reference, as IUnknown; null when it cannot be made.
[[nodiscard]] HRESULT CreateWebService(REFIID riid, void** object) noexcept;

}  // namespace websvc
