// Move-only owners for every kind of Windows handle: one template, one traits type per kind.
#pragma once

#include <windows.h>

#include <utility>

namespace win {

template <class Traits>
class Unique {
 public:
  using type = typename Traits::type;

  Unique() noexcept = default;
  explicit Unique(type h) noexcept : h_(h) {}
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& other) noexcept : h_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~Unique() { reset(); }

  [[nodiscard]] type get() const noexcept { return h_; }
  [[nodiscard]] bool valid() const noexcept { return !Traits::is_invalid(h_); }
  explicit operator bool() const noexcept { return valid(); }

  // Closes the handle held so far and takes h.
  void reset(type h = Traits::invalid()) noexcept {
    if (h_ != h && !Traits::is_invalid(h_)) Traits::close(h_);
    h_ = h;
  }
  [[nodiscard]] type release() noexcept { return std::exchange(h_, Traits::invalid()); }

  // For out-parameters of API calls: closes the current handle first.
  [[nodiscard]] type* put() noexcept {
    reset();
    return &h_;
  }

 private:
  type h_ = Traits::invalid();
};

// Kernel handles where failure is NULL (processes, threads, events, mappings).
struct HandleTraits {
  using type = HANDLE;
  static constexpr type invalid() noexcept { return nullptr; }
  static bool is_invalid(type h) noexcept { return h == nullptr || h == INVALID_HANDLE_VALUE; }
  static void close(type h) noexcept { ::CloseHandle(h); }
};

// File handles, where failure is INVALID_HANDLE_VALUE.
struct FileTraits {
  using type = HANDLE;
  static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static bool is_invalid(type h) noexcept { return h == nullptr || h == INVALID_HANDLE_VALUE; }
  static void close(type h) noexcept { ::CloseHandle(h); }
};

struct RegKeyTraits {
  using type = HKEY;
  static constexpr type invalid() noexcept { return nullptr; }
  static bool is_invalid(type h) noexcept { return h == nullptr; }
  static void close(type h) noexcept { ::RegCloseKey(h); }
};

struct ModuleTraits {
  using type = HMODULE;
  static constexpr type invalid() noexcept { return nullptr; }
  static bool is_invalid(type h) noexcept { return h == nullptr; }
  static void close(type h) noexcept { ::FreeLibrary(h); }
};

// GDI objects, typed so that each owner hands out its own kind of handle.
template <class Object>
struct GdiTraits {
  using type = Object;
  static constexpr type invalid() noexcept { return nullptr; }
  static bool is_invalid(type h) noexcept { return h == nullptr; }
  static void close(type h) noexcept { ::DeleteObject(h); }
};

// Memory DCs from CreateCompatibleDC.
struct MemoryDcTraits {
  using type = HDC;
  static constexpr type invalid() noexcept { return nullptr; }
  static bool is_invalid(type h) noexcept { return h == nullptr; }
  static void close(type h) noexcept { ::DeleteDC(h); }
};

struct IconTraits {
  using type = HICON;
  static constexpr type invalid() noexcept { return nullptr; }
  static bool is_invalid(type h) noexcept { return h == nullptr; }
  static void close(type h) noexcept { ::DestroyIcon(h); }
};

// Directory searches from FindFirstFileW, where failure is INVALID_HANDLE_VALUE.
struct FindTraits {
  using type = HANDLE;
  static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static bool is_invalid(type h) noexcept { return h == nullptr || h == INVALID_HANDLE_VALUE; }
  static void close(type h) noexcept { ::FindClose(h); }
};

struct MenuTraits {
  using type = HMENU;
  static constexpr type invalid() noexcept { return nullptr; }
  static bool is_invalid(type h) noexcept { return h == nullptr; }
  static void close(type h) noexcept { ::DestroyMenu(h); }
};

struct ViewTraits {
  using type = void*;
  static constexpr type invalid() noexcept { return nullptr; }
  static bool is_invalid(type h) noexcept { return h == nullptr; }
  static void close(type h) noexcept { ::UnmapViewOfFile(h); }
};

using UniqueHandle = Unique<HandleTraits>;
using UniqueFile = Unique<FileTraits>;
using UniqueKey = Unique<RegKeyTraits>;
using UniqueModule = Unique<ModuleTraits>;
using UniqueBitmap = Unique<GdiTraits<HBITMAP>>;
using UniqueFont = Unique<GdiTraits<HFONT>>;
using UniqueBrush = Unique<GdiTraits<HBRUSH>>;
using UniquePen = Unique<GdiTraits<HPEN>>;
using UniqueRegion = Unique<GdiTraits<HRGN>>;
using UniqueIcon = Unique<IconTraits>;
using UniqueMemoryDc = Unique<MemoryDcTraits>;
using UniqueView = Unique<ViewTraits>;
using UniqueFind = Unique<FindTraits>;
using UniqueMenu = Unique<MenuTraits>;

}  // namespace win
