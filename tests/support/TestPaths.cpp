#include "support/TestPaths.h"

#include <windows.h>

#include <string>

#include "win/Module.h"

namespace test {

std::filesystem::path BinFolder() {
  return std::filesystem::path(win::ModulePath()).parent_path();
}

}  // namespace test
