// Whether string ids exist in every language library the product ships.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace test {

// "LNG id" for each id that is missing or empty in one of the five language libraries of the bin
// folder, and "LNG library missing" for a library that cannot be loaded; empty when all are there.
[[nodiscard]] std::vector<std::wstring> StringsMissingInSomeLanguage(const std::set<unsigned>& ids);

}  // namespace test
