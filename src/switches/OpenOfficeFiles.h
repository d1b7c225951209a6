// The OpenOffice.org profile files on disk: reading them and finding every language's accelerator
// file. The line work is portable (switches/ooo/OooMerge.h); the switch (OpenOfficeSW) stages what
// it writes in a file transaction.
#pragma once

#include <string>
#include <vector>

namespace ooo {

// The whole file; false when it does not open for reading and writing (missing, read-only, held
// open by another program) or a read fails: a file that cannot be read so cannot be replaced.
[[nodiscard]] bool ReadProfileFile(const std::wstring& path, std::string& bytes);
// A template of the suite's installation, which the user may only read.
[[nodiscard]] bool ReadTemplateFile(const std::wstring& path, std::string& bytes);

[[nodiscard]] bool IsDirectory(const std::wstring& path);
[[nodiscard]] bool FileExists(const std::wstring& path);

// One language's Writer accelerators.
struct AcceleratorFile {
  std::wstring folder;  // the language folder
  std::wstring file;    // its current.xml
};
// The current.xml of every language folder (a plain folder, no other attribute) below
// `acceleratorFolder`, in the order the folder lists them.
[[nodiscard]] std::vector<AcceleratorFile> AcceleratorFiles(const std::wstring& acceleratorFolder);

}  // namespace ooo
