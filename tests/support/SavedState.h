// Process-wide state that tests change (the diagnostic log, the played
// system facts, the current folder): each Saved... function returns a guard that puts that piece
// back as it was when the guard was made, however the test ends; a failing ASSERT returns from the
// test body at once and skips any restoring written after it.
//
// Header-only: a test program links the library of the state it saves.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "core/LogSink.h"
#include "win/System.h"

namespace test {

class Restorer {
 public:
  explicit Restorer(std::function<void()> restore) : restore_(std::move(restore)) {}
  Restorer(Restorer&& other) noexcept : restore_(std::exchange(other.restore_, nullptr)) {}
  Restorer(const Restorer&) = delete;
  Restorer& operator=(const Restorer&) = delete;
  Restorer& operator=(Restorer&&) = delete;
  ~Restorer() {
    if (restore_) restore_();
  }

 private:
  std::function<void()> restore_;
};

// app::Log(): its file and whether it writes.
[[nodiscard]] inline Restorer SavedLog() {
  return Restorer([path = app::Log().FilePath(), enabled = app::Log().Enabled()] {
    app::Log().SetFilePath(path);
    app::Log().SetEnabled(enabled);
  });
}

// The facts a test plays instead of the real system's.
[[nodiscard]] inline Restorer SavedSystemFacts() {
  return Restorer([facts = win::SystemFactOverrides()] { win::OverrideSystemFacts(facts); });
}

[[nodiscard]] inline Restorer SavedCurrentFolder() {
  return Restorer([folder = std::filesystem::current_path()] {
    std::error_code ignored;  // a folder removed meanwhile: nothing to go back to
    std::filesystem::current_path(folder, ignored);
  });
}

}  // namespace test
