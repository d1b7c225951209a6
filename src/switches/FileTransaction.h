// Changes to a host's files that take effect together or not at all.
//
// A switch first stages every change: new contents are written at once to temporary files in the
// target's own folder (so that putting them in place is a rename on the same volume), removals and
// folders are only noted. Nothing the host reads has changed yet. `Apply` then puts the changes in
// place in the order they were staged; each file it replaces or removes is first renamed aside
// (its name + the undo suffix), so that the originals can come back. When any step fails, `Apply`
// puts every original back and fails. After a successful `Apply` the caller may still take further
// steps (a registry value, a marker) and, when they all succeed, `Keep`s the changes: only then are
// the originals deleted. A transaction that is destroyed without `Keep` undoes whatever it did, so
// every early return and exception leaves the host as it was.
//
// A file that is read-only, or that another program holds open without sharing deletion, cannot be
// replaced: staging refuses the first, `Apply` fails on the second and undoes.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace switches {

class FileTransaction {
 public:
  FileTransaction() = default;
  FileTransaction(const FileTransaction&) = delete;
  FileTransaction& operator=(const FileTransaction&) = delete;
  // Undoes what was applied and not kept; removes the temporary files of staged writes.
  ~FileTransaction();

  // Stages `bytes` as the whole new content of `path` (made when missing), written now to `temp`,
  // which must lie in the same folder (in a folder still to be made: written once it is). False
  // (nothing staged) when `path` is read-only or `temp` cannot be written.
  [[nodiscard]] bool Write(const std::wstring& path, std::string_view bytes, const std::wstring& temp);
  // Stages a copy of the file `source` as `path`, through `temp` beside `path`, as Write.
  [[nodiscard]] bool Copy(const std::wstring& source, const std::wstring& path, const std::wstring& temp);
  // Stages the removal of the file `path`; a file that is missing then is no failure. False when
  // `path` is read-only.
  [[nodiscard]] bool Remove(const std::wstring& path);
  // Stages the folder `path` and every missing folder above it; they are made by `Apply` (before
  // the steps staged after this one) and removed again when the changes are undone.
  void CreateFolder(const std::wstring& path);
  // Stages the removal of the folder `path` once the changes are kept, when it is empty then. A
  // folder that still holds files (a user's own) stays, and that is no failure.
  void RemoveFolderIfEmpty(const std::wstring& path);

  // Puts every staged change in place, in the order staged. On any failure every change already
  // made is undone and false comes back; the transaction can then only be destroyed.
  [[nodiscard]] bool Apply();
  // After a successful Apply: the changes stay. The originals kept aside are deleted and the
  // folders staged for removal are removed when empty.
  void Keep() noexcept;

  // The suffix of the name an original file has while it waits aside.
  static constexpr std::wstring_view kUndoSuffix = L".vanto-undo";

 private:
  enum class Kind { kWrite, kRemove, kCreateFolder, kRemoveFolder };
  struct Step {
    Step(Kind k, std::wstring p, std::wstring t = {}) : kind(k), path(std::move(p)), temp(std::move(t)) {}
    Kind kind;
    std::wstring path;
    std::wstring temp;                      // kWrite: the new content, until it is in place
    std::string bytes;                      // kWrite: the content, until `temp` is written
    std::wstring source;                    // kWrite: the file to copy, until `temp` is written
    bool written = false;                   // kWrite: `temp` holds the content
    std::wstring aside;                     // kWrite, kRemove: where the original waits, once moved
    bool placed = false;                    // kWrite: the new content is in place
    std::vector<std::wstring> madeFolders;  // kCreateFolder: the folders it made, outermost first
  };

  [[nodiscard]] static bool ApplyStep(Step& step);
  [[nodiscard]] static bool SetAside(Step& step);
  [[nodiscard]] static bool WriteTemp(Step& step);
  [[nodiscard]] bool Stage(Step step);
  static void UndoStep(Step& step) noexcept;
  void Undo() noexcept;
  void DiscardTemps() noexcept;

  std::vector<Step> steps_;
  bool applied_ = false;
  bool kept_ = false;
  bool failed_ = false;
};

}  // namespace switches
