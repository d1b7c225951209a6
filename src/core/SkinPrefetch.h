// Skin pictures decoded ahead on a thread of their own (see SkinImage.cpp).
#pragma once

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "core/SkinImage.h"
#include "win/Handle.h"

namespace app {

// Skin pictures decoded ahead, in their order, on a thread of their own, while the thread that
// shows them goes on with what only it can do (the window's first paint). While one lives,
// LoadSkinImage hands out each of its pictures from it, once, waiting for the decode if it is still
// under way; any other picture, and the same one asked for again, is decoded as always. One lives
// at a time (a second stays idle); the pictures nobody took are deleted with it.
class SkinPrefetch {
 public:
  explicit SkinPrefetch(std::vector<SkinPicture> pictures);
  // Stops after the picture under way and waits for it.
  ~SkinPrefetch();
  SkinPrefetch(const SkinPrefetch&) = delete;
  SkinPrefetch& operator=(const SkinPrefetch&) = delete;

  // How many pictures it was given, and how many of them have been handed out.
  [[nodiscard]] size_t Count() const noexcept { return slots_.size(); }
  [[nodiscard]] size_t TakenCount() const;

 private:
  friend HBITMAP LoadSkinImage(HMODULE module, int id, const wchar_t* type) noexcept;
  struct Slot {
    SkinPicture picture;
    win::UniqueBitmap bitmap;
    bool decoded = false;
    bool taken = false;      // asked for: from then on decoded by whoever asks
    bool handedOut = false;  // and there was a picture to hand out
  };
  // The thread's work.
  void DecodeAll() noexcept;
  // The picture if it is one of these and still here (waiting for its decode); null otherwise, or
  // when its decode failed: the caller decodes it itself. `lock` holds the prefetches' lock.
  [[nodiscard]] HBITMAP Take(std::unique_lock<std::mutex>& lock, HMODULE module, int id,
                             const wchar_t* type) noexcept;

  std::vector<Slot> slots_;
  bool stopping_ = false;
  int waiting_ = 0;  // callers of Take waiting for a decode
  std::condition_variable decoded_;
  std::thread thread_;
};

}  // namespace app
