// Everything one kernel connection knows, shared by the kernel object and every object it hands
// out, and used from any thread: the objects aggregate the free-threaded marshaler, so one lock
// guards it all. Direction arguments are indices into DirectionTable.h and are checked by callers.
#pragma once

#include <windows.h>

#include <filesystem>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Store.h"

namespace vanto {

struct DictionaryInfo {
  std::wstring key;  // empty for the general dictionary
  std::wstring name;
  LONG kind = 0;
  int direction = 0;
};

struct MemoryInfo {
  std::wstring key;
  std::wstring name;
  int direction = 0;
  size_t segments = 0;
};

class KernelState {
 public:
  explicit KernelState(std::filesystem::path dataFolder);

  [[nodiscard]] static bool ValidDirection(long index) noexcept;

  [[nodiscard]] int CurrentDirection() const;
  void SetCurrentDirection(int direction);
  [[nodiscard]] std::wstring CurrentProfile(int direction) const;
  [[nodiscard]] HRESULT SetCurrentProfile(int direction, const std::wstring& name);

  // The general dictionary first, then the user dictionaries in the order they were created.
  [[nodiscard]] std::vector<DictionaryInfo> Dictionaries(int direction);
  [[nodiscard]] HRESULT SelectDictionary(int direction, size_t index, bool on);
  [[nodiscard]] bool HasDictionaryNamed(int direction, const std::wstring& name);
  [[nodiscard]] HRESULT CreateDictionary(int direction, const std::wstring& name, DictionaryInfo* created);
  [[nodiscard]] std::optional<DictionaryInfo> FindDictionary(const std::wstring& key);
  [[nodiscard]] HRESULT AddEntry(const std::wstring& key, const std::wstring& source,
                                 const std::wstring& target, int kind);

  [[nodiscard]] std::vector<MemoryInfo> Memories(int direction);
  [[nodiscard]] bool HasMemoryNamed(int direction, const std::wstring& name);
  [[nodiscard]] HRESULT CreateMemory(int direction, const std::wstring& name, MemoryInfo* created);
  [[nodiscard]] std::optional<MemoryInfo> FindMemory(const std::wstring& key);
  [[nodiscard]] HRESULT AddSegment(const std::wstring& key, const std::wstring& source,
                                   const std::wstring& target);

  // An exact match in a memory of the direction, else the dictionaries switched on (user ones first,
  // then the general one) word by word. Fails when translation is refused (Config.h).
  [[nodiscard]] HRESULT Translate(int direction, const std::wstring& text, std::wstring* result);

 private:
  std::wstring GeneralKey(int direction) const;
  std::vector<DictionaryInfo> DictionariesLocked(int direction) const;

  mutable std::mutex mutex_;
  Store store_;
  int currentDirection_ = 0;
  std::vector<std::wstring> currentProfiles_;
  std::set<std::wstring> switchedOff_;  // dictionary keys; "general:<index>" for general dictionaries
};

}  // namespace vanto
