// The bundled word lists, read from the DLL's resources the first time a direction needs one.
#pragma once

#include "Lexicon.h"

namespace vanto {

// The general dictionary of the direction at `index` (DirectionTable.h); empty if its resource is
// missing. Thread-safe; the lexicon lives as long as the DLL.
[[nodiscard]] const Lexicon& BundledLexicon(int index);

}  // namespace vanto
