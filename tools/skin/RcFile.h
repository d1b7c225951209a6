// The resource script that lists the generated files under their resource IDs.
#pragma once

#include <string>

namespace skin {

// `folder` is where the files are; the script names them by absolute path so it compiles from
// anywhere.
std::string MakeResourceScript(const std::string& folder);

}  // namespace skin
