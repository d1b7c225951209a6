// Decoding speed of encrypted profile files: unscrambling alone, and unscrambling plus parsing
// into a CXCryptedProfileW, each against memcpy of the same bytes in the same run.
//
// The profile is generated in memory: a few MB of menu-like sections with English and Russian
// texts, paths, numbers and small byte blocks. Each measurement is the best of several rounds.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "profile/CryptedBuffer.h"
#include "profile/CryptedProfile.h"
#include "profile/ProfileWriter.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRounds = 40;

inf::ProfileDocument MakeDocument(int sections, int entriesPerSection) {
  const std::wstring labels[] = {
      L"Translate a document",
      L"\x041F\x0435\x0440\x0435\x0432\x043E\x0434 "
      L"\x0434\x043E\x043A\x0443\x043C\x0435\x043D\x0442\x043E\x0432",
      L"C:\\Program Files\\PROMT Professional 9.0\\Docs\\User Guide.pdf",
      L"Open the translation memory manager",
      L"\x0421\x043B\x043E\x0432\x0430\x0440\x0438 "
      L"\x043F\x043E\x043B\x044C\x0437\x043E\x0432\x0430\x0442\x0435\x043B\x044F",
  };
  inf::ProfileDocument doc;
  for (int s = 0; s < sections; ++s) {
    inf::DocumentSection& section = doc.sections.emplace_back();
    section.name = L"Menu" + std::to_wstring(s);
    for (int e = 0; e < entriesPerSection; ++e) {
      inf::DocumentEntry entry;
      entry.key = L"Item" + std::to_wstring(e);
      switch (e % 5) {
        case 0:
        case 1:
        case 2:
          entry.type = inf::kTypeText;
          entry.text = labels[(s + e) % 5] + L" " + std::to_wstring(e);
          break;
        case 3:
          entry.type = e % 2 ? inf::kTypeInt : inf::kTypeDword;
          entry.number = static_cast<std::uint32_t>(s * 1000 + e);
          break;
        default:
          entry.type = inf::kTypeBlock;
          entry.block.assign(24, static_cast<std::uint8_t>(e));
          break;
      }
      section.entries.push_back(std::move(entry));
    }
  }
  return doc;
}

// Best time of kRounds runs of `run`; `prepare` runs untimed before each.
double BestSeconds(const std::function<void()>& prepare, const std::function<void()>& run) {
  double best = 1e30;
  for (int i = 0; i < kRounds; ++i) {
    prepare();
    const auto start = Clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

}  // namespace

int main() {
  const inf::StreamParams params{0x0A45, 0x1C33, 0x5A17};
  const std::vector<std::uint8_t> file = inf::WriteProfileFile(MakeDocument(800, 60), params);
  const std::vector<std::uint8_t> body(file.begin() + inf::kHeaderSize, file.end());
  const double mb = static_cast<double>(body.size()) / 1e6;

  std::vector<std::uint8_t> copy(body.size());
  const double memcpySeconds =
      BestSeconds([] {}, [&] { std::memcpy(copy.data(), body.data(), body.size()); });

  CXCryptedBufferW buffer;
  bool verified = true;
  const double unscrambleSeconds =
      BestSeconds([&] { buffer = CXCryptedBufferW(body); },
                  [&] { verified = verified && buffer.Unscramble(params) == CXCryptedBufferW::Check::Ok; });

  // The first load touches fresh memory; later rounds reuse what the allocator got back when the
  // previous profile was destroyed (untimed), which is the parsing cost proper.
  CXCryptedProfileW profile;
  bool loaded = true;
  const auto firstStart = Clock::now();
  loaded = profile.LoadFromBytes(file);
  const double firstLoadSeconds = std::chrono::duration<double>(Clock::now() - firstStart).count();
  const double loadSeconds = BestSeconds([&] { profile = CXCryptedProfileW(); },
                                         [&] { loaded = loaded && profile.LoadFromBytes(file); });

  std::printf("profile file: %.2f MB, %zu sections, %zu entries in Menu0\n", mb, profile.SectionCount(),
              profile.SectionEntryCount(L"Menu0"));
  std::printf("%-22s %9.1f MB/s\n", "memcpy", mb / memcpySeconds);
  std::printf("%-22s %9.1f MB/s  %6.2fx the time of memcpy\n", "unscramble", mb / unscrambleSeconds,
              unscrambleSeconds / memcpySeconds);
  std::printf("%-22s %9.1f MB/s  %6.2fx the time of memcpy\n", "unscramble + parse", mb / loadSeconds,
              loadSeconds / memcpySeconds);
  std::printf("%-22s %9.1f MB/s  %6.2fx the time of memcpy\n", "  first load", mb / firstLoadSeconds,
              firstLoadSeconds / memcpySeconds);
  if (!verified || !loaded) std::printf("warning: the generated profile did not decode\n");
  return 0;
}
