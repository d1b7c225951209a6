// The web-service substitute's switches (HKCU\Software\Korvelsoft\VNTO9\WebServiceSubstitute) with
// its journal in a scratch folder; every switch goes again with the object. And the journal read
// back: the calls of each of the component's objects in their order.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/ScratchDir.h"

namespace test {

class WebServiceSwitches {
 public:
  WebServiceSwitches();
  ~WebServiceSwitches();
  WebServiceSwitches(const WebServiceSwitches&) = delete;
  WebServiceSwitches& operator=(const WebServiceSwitches&) = delete;

  void Set(const std::wstring& name, DWORD value) const;
  void Set(const std::wstring& name, const std::wstring& value) const;

  // Every line so far.
  [[nodiscard]] std::vector<std::wstring> Lines() const;
  // The lines of each object ("<process>.<n>"), without the object's name, in order.
  [[nodiscard]] std::map<std::wstring, std::vector<std::wstring>> Objects() const;
  // The objects' lines once one of them reads `last` (waiting up to `timeout`).
  [[nodiscard]] std::map<std::wstring, std::vector<std::wstring>> ObjectsAfter(
      const std::wstring& last, std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;

 private:
  ScratchDir scratch_;
  std::filesystem::path journal_;
};

// The calls of an object's lines: each line up to its first blank or parenthesis ("Run(0)" is
// "Run", "get ProductKey -> ..." is "get ProductKey").
[[nodiscard]] std::vector<std::wstring> CallNames(const std::vector<std::wstring>& lines);
// The component's process IDs named in the journal.
[[nodiscard]] std::vector<DWORD> ServerProcesses(
    const std::map<std::wstring, std::vector<std::wstring>>& objects);

}  // namespace test
