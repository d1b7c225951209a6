// The DLL itself: its module handle and the counts that decide whether COM may unload it.
#pragma once

#include "InProcServer.h"

namespace edsetup {

using substitute::CanUnload;
using substitute::LockModule;
using substitute::ModulePath;
using substitute::ObjectCreated;
using substitute::ObjectDestroyed;
using substitute::ThisModule;

}  // namespace edsetup
