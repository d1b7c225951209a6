// The two conversations with the suite's web-service component, each on a worker thread of its own
// (a single-threaded COM apartment): the start-up exchange, which reads the component's values
// while the main window waits, and the exchange behind tab 7's Launch button. Both end by posting
// kWebServiceEndedMessage to the window, wParam naming which one ended, lParam how (ExchangeEnd).
#pragma once

#include <windows.h>
#include <objidl.h>

#include <memory>
#include <string>

#include "updates/ServiceInfo.h"
#include "win/Handle.h"

namespace updates {

enum class Exchange : WPARAM { kStartup = 1, kLaunch = 2 };
// How an exchange ended: kNoComponent when the component could not be created.
enum class ExchangeEnd : LPARAM { kDone = 0, kNoComponent = 1 };

struct ExchangeSetup {
  std::shared_ptr<ServiceInfo> info;
  std::wstring clientName;
  HWND window = nullptr;  // gets the end message; the component's windows belong to it
};

// Starts WebServiceThread. `kernel` holds the kernel connection marshalled for another apartment
// (null when there is none, or it could not be marshalled); the thread takes it over. `started` is
// signalled once the component's values are read, or as soon as the exchange cannot go on; the
// thread keeps its own duplicate of it. Whether the component looks for dictionary updates is the
// user's choice stored under the product key the component names. Null when the thread cannot be
// started (the event is then signalled already).
[[nodiscard]] win::UniqueHandle StartStartupExchange(ExchangeSetup setup, IStream* kernel, HANDLE started);

// Starts the tab-7 exchange; null when the thread cannot be started.
[[nodiscard]] win::UniqueHandle StartLaunchExchange(ExchangeSetup setup);

}  // namespace updates
