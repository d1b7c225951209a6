#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzBodies.h"
#include "switches/ooo/ByteLines.h"
#include "switches/ooo/OooMerge.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

// The output's lines, each of which must end with `eol`; they point into `out`.
std::vector<std::string_view> SplitWritten(std::string_view out, std::string_view eol) {
  std::vector<std::string_view> lines;
  while (!out.empty()) {
    const std::size_t end = out.find(eol);
    Require(end != std::string_view::npos);
    lines.push_back(out.substr(0, end));
    out.remove_prefix(end + eol.size());
  }
  return lines;
}

// Written lines are never empty and never hold a line feed.
void RequireLines(const std::vector<std::string_view>& lines) {
  for (std::string_view l : lines) Require(!l.empty() && l.find('\n') == std::string_view::npos);
}

bool IsSubsequence(const std::vector<std::string_view>& part, const std::vector<std::string_view>& whole) {
  std::size_t i = 0;
  for (std::string_view l : whole)
    if (i < part.size() && part[i] == l) ++i;
  return i == part.size();
}

std::size_t CountContaining(const std::vector<std::string_view>& lines, std::string_view marker) {
  std::size_t n = 0;
  for (std::string_view l : lines) n += ooo::Contains(l, marker) ? 1 : 0;
  return n;
}

}  // namespace

void FuzzOooMerge(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return;
  const unsigned op = data[0] % 8;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 3, size - 3);
  const std::size_t split = (data[1] | (std::size_t{data[2]} << 8)) % (rest.size() + 1);
  const std::string_view file = rest.substr(0, split);
  const std::string_view templ = rest.substr(split);
  const auto in = ooo::NonEmptyLines(file);
  const auto t = ooo::NonEmptyLines(templ);

  switch (op) {
    case 0: {
      const ooo::AddonsMerge merged = ooo::EnableAddons(file, templ);
      using Outcome = ooo::AddonsMerge::Outcome;
      Require((merged.outcome == Outcome::kAlreadyMerged) == (CountContaining(in, ooo::kSuiteNodes[0]) > 0));
      if (merged.outcome != Outcome::kMerged) {
        Require(merged.text.empty());
        break;
      }
      const auto out = SplitWritten(merged.text, ooo::kLf);
      RequireLines(out);
      Require(out.size() >= in.size());
      Require(ooo::HoldsSuiteNodes(merged.text));
      // Nothing of the file is lost: only its section start lines may give way to the template's.
      std::vector<std::string_view> kept;
      for (std::string_view l : in)
        if (std::none_of(ooo::kAddonSections.begin(), ooo::kAddonSections.end(),
                         [l](std::string_view s) { return ooo::Contains(l, s); }))
          kept.push_back(l);
      Require(IsSubsequence(kept, out));
      break;
    }
    case 1:
    case 3: {
      const std::string out = op == 1 ? ooo::DisableAddons(file) : ooo::DisableWindowState(file);
      const auto lines = SplitWritten(out, ooo::kCrLf);
      RequireLines(lines);
      Require(IsSubsequence(lines, in));
      break;
    }
    case 2: {
      const std::string merged = ooo::EnableWindowState(file, templ);
      const auto out = SplitWritten(merged, ooo::kLf);
      RequireLines(out);
      Require(IsSubsequence(in, out));
      break;
    }
    case 4:
    case 6: {
      const bool accel = op == 4;
      const std::string_view list = accel ? ooo::kAcceleratorList : ooo::kLibraryList;
      const std::string merged = accel ? ooo::EnableAccelerators(file, templ) : ooo::EnableLibraries(file, templ);
      const auto out = SplitWritten(merged, ooo::kLf);
      RequireLines(out);
      Require(IsSubsequence(in, out));
      Require(out.size() == in.size() + CountContaining(in, list) * t.size());
      break;
    }
    default: {
      const bool accel = op == 5;
      const std::string_view entry = accel ? ooo::kSuiteAccelerator : ooo::kSuiteLibrary;
      const std::string kept = accel ? ooo::DisableAccelerators(file) : ooo::DisableLibraries(file);
      const auto out = SplitWritten(kept, ooo::kLf);
      RequireLines(out);
      Require(IsSubsequence(out, in));
      Require(CountContaining(out, entry) == 0);
      Require(out.size() == in.size() - CountContaining(in, entry));
      break;
    }
  }
}
