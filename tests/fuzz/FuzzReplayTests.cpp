// Every input kept for a fuzz target (its seeds and any crash the fuzzer found) runs through the
// target's body again, so a crash once found stays fixed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzBodies.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FuzzReplay, EveryKeptInputRuns) {
  struct Target {
    const char* folder;
    void (*body)(const std::uint8_t*, std::size_t);
  } targets[] = {
      {"ooo_merge", FuzzOooMerge},
      {"inf_reader", FuzzInfReader},
  };
  for (const Target& t : targets) {
    const fs::path folder = fs::path(FUZZ_CORPUS_DIR) / t.folder;
    std::size_t inputs = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
      if (!e.is_regular_file()) continue;
      // A crashing input ends the program, so name it before running it.
      std::cerr << "replaying " << e.path().string() << '\n';
      const std::vector<std::uint8_t> bytes = ReadAll(e.path());
      t.body(bytes.data(), bytes.size());
      ++inputs;
    }
    // Every target keeps seeds, so an empty folder means a wrong path, not a clean run.
    EXPECT_GT(inputs, 0u) << folder;
  }
}

}  // namespace
