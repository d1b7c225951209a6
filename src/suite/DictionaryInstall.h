// Installing specialised dictionaries: the dictionary installer of this product (the network
// edition on a workstation of a translation server) starts while the start centre quits.
#pragma once

#include "suite/LaunchContext.h"

namespace suite {

// Asks, records, starts the installer and closes the start centre when it started. Every refusal
// is told to the user through the context.
void InstallDictionaries(LaunchContext& context);

}  // namespace suite
