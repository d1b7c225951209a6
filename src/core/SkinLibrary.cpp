#include "core/SkinLibrary.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace app {
namespace {

std::span<const std::uint8_t> ScaledSkinResourceBytes(HMODULE module, int id, const wchar_t* type) noexcept {
  const HRSRC found = module ? ::FindResourceW(module, MAKEINTRESOURCEW(id), type) : nullptr;
  const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const std::uint8_t*>(data), ::SizeofResource(module, found)};
}

std::uint32_t Little32(const std::uint8_t* p) noexcept {
  return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
         (std::uint32_t{p[3]} << 24);
}

// The image of `pixels` x `pixels` in an icon file (the file's layout: a 6-byte header, then one
// 16-byte entry per image giving its size, byte count and offset). Every number is checked against
// the resource's size, so a damaged file yields no icon rather than a read past its end.
win::UniqueIcon IconFromFile(std::span<const std::uint8_t> file, int pixels) noexcept {
  constexpr size_t kHeader = 6, kEntry = 16;
  if (file.size() < kHeader || file[2] != 1 || file[3] != 0) return {};
  const size_t count = file[4] | (size_t{file[5]} << 8);
  if (file.size() < kHeader + count * kEntry) return {};
  for (size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = file.data() + kHeader + i * kEntry;
    const int width = entry[0] == 0 ? 256 : entry[0], height = entry[1] == 0 ? 256 : entry[1];
    if (width != pixels || height != pixels) continue;
    const size_t size = Little32(entry + 8), offset = Little32(entry + 12);
    if (size == 0 || offset > file.size() || size > file.size() - offset) return {};
    return win::UniqueIcon(::CreateIconFromResourceEx(const_cast<PBYTE>(file.data() + offset),
                                                      static_cast<DWORD>(size), TRUE, 0x00030000, pixels,
                                                      pixels, LR_DEFAULTCOLOR));
  }
  return {};
}

}  // namespace

std::wstring SkinResourceType(const wchar_t* base, win::Scale scale) {
  std::wstring type(base);
  if (!scale.IsDesign()) type += std::to_wstring(scale.Percent());
  return type;
}

win::UniqueModule OpenScaledSkin(HMODULE program) noexcept {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(program, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  std::error_code error;
  const std::filesystem::path library = std::filesystem::path(path).parent_path() / kScaledSkinFile;
  if (!std::filesystem::is_regular_file(library, error)) return {};
  return win::UniqueModule(
      ::LoadLibraryExW(library.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

HMODULE ProgramScaledSkin() noexcept {
  static const win::UniqueModule library = OpenScaledSkin(::GetModuleHandleW(nullptr));
  return library.get();
}

win::UniqueIcon LoadSkinIcon(HMODULE program, HMODULE scaled, int id, int designSize,
                             win::Scale scale) noexcept {
  const int pixels = scale.Px(designSize);
  if (!scale.IsDesign() && scaled) {
    // "ICO175" fits a string's own buffer: no allocation that could fail here.
    const std::wstring type = SkinResourceType(L"ICO", scale);
    if (win::UniqueIcon icon = IconFromFile(ScaledSkinResourceBytes(scaled, id, type.c_str()), pixels))
      return icon;
  }
  return win::UniqueIcon(static_cast<HICON>(
      ::LoadImageW(program, MAKEINTRESOURCEW(id), IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR)));
}

win::UniqueIcon LoadSkinIcon(int id, int designSize, win::Scale scale) noexcept {
  return LoadSkinIcon(::GetModuleHandleW(nullptr), ProgramScaledSkin(), id, designSize, scale);
}

}  // namespace app
