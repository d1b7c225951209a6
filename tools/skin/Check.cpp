#include "Check.h"

#include <algorithm>
#include <set>

#include <zlib.h>

#include "BmpFile.h"
#include "Catalogue.h"
#include "IcoFile.h"
#include "ListIcons.h"
#include "PngFile.h"
#include "SkinScales.h"

namespace skin {
namespace {

// How close to magenta an opaque pixel may not come (largest channel difference).
constexpr int kNearMagenta = 48;

bool NearMagenta(const std::uint8_t* p) {
  const int d = std::max({255 - p[0], static_cast<int>(p[1]), 255 - p[2]});
  return d <= kNearMagenta;
}

void CheckBitmap(const Entry& e, const Image& image, int dpi, std::vector<std::string>& errors) {
  const std::string name = std::to_string(e.id) + " " + e.file;
  const int width = skinscale::Px(e.width, dpi), height = skinscale::Px(e.height, dpi);
  if (image.width != width || image.height != height) {
    errors.push_back(name + ": " + std::to_string(image.width) + "x" + std::to_string(image.height) +
                     " instead of the declared " + std::to_string(width) + "x" + std::to_string(height) +
                     " at " + std::to_string(dpi) + " dpi");
    return;
  }
  int keyed = 0, near = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.IsKey(x, y))
        ++keyed;
      else if (NearMagenta(image.At(x, y)))
        ++near;
    }
  }
  if (near > 0) errors.push_back(name + ": " + std::to_string(near) + " pixels near magenta");
  if (!e.keyed && keyed > 0)
    errors.push_back(name + ": opaque bitmap has " + std::to_string(keyed) + " magenta pixels");
  if (e.keyed && keyed == 0) errors.push_back(name + ": keyed bitmap without any magenta");
  const struct {
    unsigned bit;
    int x, y;
  } corners[] = {{kTopLeft, 0, 0},
                 {kTopRight, width - 1, 0},
                 {kBottomRight, width - 1, height - 1},
                 {kBottomLeft, 0, height - 1}};
  for (const auto& c : corners) {
    const bool wanted = e.keyed && (e.corners & c.bit) != 0;
    if (wanted && !image.IsKey(c.x, c.y))
      errors.push_back(name + ": corner (" + std::to_string(c.x) + "," + std::to_string(c.y) +
                       ") is not transparent");
  }
}

void CheckIcon(const std::string& path, std::span<const int> sizes, std::vector<std::string>& errors) {
  const auto bytes = ReadFile(path);
  const auto entries = bytes ? ReadIcoDirectory(*bytes) : std::vector<IcoEntry>{};
  if (entries.size() != sizes.size()) {
    errors.push_back(path + ": missing, damaged, or not " + std::to_string(sizes.size()) + " images");
    return;
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].width != sizes[i] || entries[i].height != sizes[i] || entries[i].bitCount != 32)
      errors.push_back(path + ": image " + std::to_string(i) + " is not " + std::to_string(sizes[i]) +
                       " px at 32 bits");
  }
}

std::uint32_t GetBig32(const std::vector<std::uint8_t>& in, std::size_t at) {
  return (std::uint32_t{in[at]} << 24) | (std::uint32_t{in[at + 1]} << 16) |
         (std::uint32_t{in[at + 2]} << 8) | std::uint32_t{in[at + 3]};
}

void PutBig32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

// Where a written PNG's IHDR and IDAT chunks start.
constexpr std::size_t kHeader = 8, kData = 33;

// Rewrites the check value of the chunk at `at` after its body was changed.
void Reseal(std::vector<std::uint8_t>& png, std::size_t at) {
  const std::size_t size = GetBig32(png, at);
  PutBig32(png, at + 8 + size,
           static_cast<std::uint32_t>(crc32(crc32(0, Z_NULL, 0), &png[at + 4], static_cast<uInt>(size + 4))));
}

// The PNG reader refuses damaged pictures instead of returning wrong pixels or asking for memory a
// header merely claims. `png` is a written picture: IHDR at 8, IDAT right after it.
void CheckPngRefusals(const std::string& name, const std::vector<std::uint8_t>& png,
                      std::vector<std::string>& errors) {
  if (png.size() < kData + 12 || !DecodePng(png)) {
    errors.push_back(name + ": not a picture to damage");
    return;
  }
  const struct {
    const char* what;
    void (*damage)(std::vector<std::uint8_t>&);
  } cases[] = {
      {"a changed deflate check value",
       [](std::vector<std::uint8_t>& p) {
         p[kData + 8 + GetBig32(p, kData) - 1] ^= 0x01;
         Reseal(p, kData);
       }},
      {"a header claiming 60000x60000 pixels",
       [](std::vector<std::uint8_t>& p) {
         PutBig32(p, kHeader + 8, 60000);
         PutBig32(p, kHeader + 12, 60000);
         Reseal(p, kHeader);
       }},
      {"a header claiming one more row",
       [](std::vector<std::uint8_t>& p) {
         PutBig32(p, kHeader + 12, GetBig32(p, kHeader + 12) + 1);
         Reseal(p, kHeader);
       }},
      {"a file cut in the middle", [](std::vector<std::uint8_t>& p) { p.resize(p.size() / 2); }},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> damaged = png;
    c.damage(damaged);
    if (DecodePng(damaged)) errors.push_back(name + ": read despite " + c.what);
  }
}

}  // namespace

std::vector<std::string> CheckFolder(const std::string& folder, int dpi) {
  std::vector<std::string> errors;
  std::set<int> ids{ProgramIcon().id};
  std::set<std::string> files;
  for (const Entry& e : Bitmaps()) {
    if (!ids.insert(e.id).second) errors.push_back(std::to_string(e.id) + ": resource ID used twice");
    if (!files.insert(e.file).second) errors.push_back(std::string(e.file) + ": file name used twice");
    const std::string path = folder + "/" + e.file + ".bmp";
    const auto bytes = ReadFile(path);
    const auto image = bytes ? DecodeBmp(*bytes) : std::nullopt;
    if (!image) {
      errors.push_back(path + ": missing or not a 24-bit bitmap");
      continue;
    }
    CheckBitmap(e, *image, dpi, errors);
    const std::string png = folder + "/" + e.file + ".png";
    const auto packed = ReadFile(png);
    const auto decoded = packed ? DecodePng(*packed) : std::nullopt;
    if (!decoded || *decoded != *image)
      errors.push_back(png + ": missing, damaged, or not the pixels of " + e.file + ".bmp");
  }
  if (!Bitmaps().empty()) {
    const std::string png = folder + "/" + Bitmaps().front().file + ".png";
    const auto packed = ReadFile(png);
    CheckPngRefusals(png, packed ? *packed : std::vector<std::uint8_t>{}, errors);
  }
  // The program icon carries its own sizes and is drawn once, with the design.
  if (dpi == skinscale::kDesignDpi)
    CheckIcon(folder + "/" + ProgramIcon().file + ".ico", ProgramIcon().sizes, errors);
  // Icon IDs share one namespace among icons only; a bitmap may carry the same number.
  std::set<int> iconIds{ProgramIcon().id};
  for (const ListIcon& e : ListIcons()) {
    if (!iconIds.insert(e.id).second) errors.push_back(std::to_string(e.id) + ": icon ID used twice");
    if (!files.insert(e.file).second) errors.push_back(std::string(e.file) + ": file name used twice");
    CheckIcon(folder + "/" + e.file + ".ico", ListIconSizes(dpi), errors);
  }
  return errors;
}

}  // namespace skin
