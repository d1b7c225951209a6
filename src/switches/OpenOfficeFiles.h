// The OpenOffice.org profile files on disk: reading them, rewriting them through a temporary file
// in the same folder, and the three merges that the Writer integration's switch runs on a
// profile. The line work itself is portable (switches/ooo/OooMerge.h); this file only finds,
// opens, writes and renames.
#pragma once

#include <string>
#include <string_view>

namespace ooo {

// The whole file; false when it does not open for reading and writing (missing, read-only, held
// open by another program) or a read fails.
[[nodiscard]] bool ReadProfileFile(const std::wstring& path, std::string& bytes);

// Writes `bytes` to `temp` (created anew) and moves it over `target`, replacing it. On any failure
// the temporary file is removed and `target` is left as it was.
[[nodiscard]] bool ReplaceThroughTemp(const std::wstring& target, const std::wstring& temp,
                                      std::string_view bytes);

// Creates every missing folder of `path` in turn; a trailing backslash is ignored and the drive
// part skipped. True when the whole path exists as a folder afterwards.
bool CreateDirectoryPath(const std::wstring& path);

[[nodiscard]] bool IsDirectory(const std::wstring& path);

// A template of the suite's installation, which the user may only read.
[[nodiscard]] bool ReadTemplateFile(const std::wstring& path, std::string& bytes);
// Writes `bytes` to `path`, created anew (or emptied); false when it cannot be created or written.
[[nodiscard]] bool WriteNewFile(const std::wstring& path, std::string_view bytes);
// Copies `source` over `target` through `temp` beside it. On any failure `target` is left as it
// was (or absent, when it was) and no temporary file stays.
[[nodiscard]] bool CopyThroughTemp(const std::wstring& source, const std::wstring& target,
                                   const std::wstring& temp);

// Addons.xcu in `officeFolder` (the profile's Office configuration folder), from the template
// `templ`. Enabling a profile without the file copies the template as the whole file; a file the
// merge refuses (EnableAddons) is left as it is and the merge fails.
[[nodiscard]] bool MergeAddonsFile(bool enable, const std::wstring& officeFolder, const std::wstring& templ);
// WriterWindowState.xcu in the UI configuration folder, the same way.
[[nodiscard]] bool MergeWindowStateFile(bool enable, const std::wstring& uiFolder, const std::wstring& templ);
// current.xml in every language folder of the Writer accelerator folder. A file the merge refuses
// fails it; the files are checked before any is rewritten.
[[nodiscard]] bool MergeAcceleratorFiles(bool enable, const std::wstring& acceleratorFolder,
                                         const std::wstring& templ);

// Whether the merge of WriterWindowState.xcu, of the accelerator files or of the library list
// `list` would refuse a file (OooMerge.h), so that a switch-over can fail before it rewrites
// anything. Nothing is written; a file that is missing or cannot be read is left to the merge.
[[nodiscard]] bool WindowStateMergeRefused(bool enable, const std::wstring& uiFolder,
                                           const std::wstring& templ);
[[nodiscard]] bool AcceleratorMergeRefused(bool enable, const std::wstring& acceleratorFolder,
                                           const std::wstring& templ);
[[nodiscard]] bool LibraryListMergeRefused(bool enable, const std::wstring& list, const std::wstring& templ);
// Whether switching off would refuse the Addons.xcu in `officeFolder` (DisableAddons), likewise.
// Switching on needs no such check: that file is merged first.
[[nodiscard]] bool AddonsUnmergeRefused(const std::wstring& officeFolder);

}  // namespace ooo
