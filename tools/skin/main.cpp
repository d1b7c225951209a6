// skingen: draws the skin of Startdeck (every bitmap, the program icon and the list icons) and writes them,
// with the resource script that names them, into one folder.
//
//   skingen --out FOLDER [--dpi DPI] [--check] [--sheet FILE.ppm]
//
// --dpi draws the skin for one of the skin's DPIs (SkinScales.h; 96 when not given): every bitmap
// and list icon at its design size scaled, named by skin<percent>.rc for the scaled skin library.
// The program icon and the pages' pictures are drawn with the design (96) only, with skin.rc and
// pages.rc. Each scale is a run of its own, so a build draws them side by side.
//
// --check verifies the written files (sizes, transparent colour, each PNG decoding to exactly the pixels of
// its reference bitmap, damaged PNGs refused) and fails on any violation;
// --sheet also writes a contact sheet to look at (see Preview.h).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "Catalogue.h"
#include "Check.h"
#include "IcoFile.h"
#include "ListIcons.h"
#include "PageArt.h"
#include "PngFile.h"
#include "Preview.h"
#include "RcFile.h"
#include "SkinScales.h"

namespace {

struct Options {
  std::string out;
  std::string sheet;
  int dpi = skinscale::kDesignDpi;
  bool check = false;
};

bool IsSkinDpi(int dpi) {
  return std::find(skinscale::kSkinDpis.begin(), skinscale::kSkinDpis.end(), dpi) !=
         skinscale::kSkinDpis.end();
}

bool Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--check") {
      options.check = true;
    } else if (arg == "--dpi" && i + 1 < argc) {
      options.dpi = std::atoi(argv[++i]);
      if (!IsSkinDpi(options.dpi)) return false;
    } else if ((arg == "--out" || arg == "--sheet") && i + 1 < argc) {
      (arg == "--out" ? options.out : options.sheet) = argv[++i];
    } else {
      return false;
    }
  }
  return !options.out.empty();
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "skingen: %s\n", message.c_str());
  return 1;
}

// Writes the contact sheet if asked, and checks what was written if asked.
int Finish(const Options& options, const std::string& folder, const std::vector<skin::DrawnBitmap>& drawn,
           const std::vector<skin::Image>& icons, const std::vector<std::vector<skin::Image>>& listIcons) {
  if (!options.sheet.empty()) {
    const std::string mvg = std::filesystem::path(options.sheet).replace_extension(".mvg").string();
    if (!skin::WriteContactSheet(options.sheet, mvg, drawn, icons, listIcons))
      return Fail("cannot write " + options.sheet);
  }
  if (options.check) {
    const std::vector<std::string> errors = skin::CheckFolder(folder, options.dpi);
    for (const std::string& e : errors) std::fprintf(stderr, "skingen: check: %s\n", e.c_str());
    if (!errors.empty()) return 1;
    const bool design = options.dpi == skinscale::kDesignDpi;
    std::printf("skingen: %zu bitmaps and %zu icons checked at %d dpi\n", skin::Bitmaps().size(),
                skin::ListIcons().size() + (design ? 1 : 0), options.dpi);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: skingen --out FOLDER [--dpi 96|120|144|168|192] [--check] [--sheet FILE.ppm]\n");
    return 2;
  }
  std::error_code error;
  std::filesystem::create_directories(options.out, error);
  const std::string folder = std::filesystem::absolute(options.out).generic_string();

  const int dpi = options.dpi;
  const bool design = dpi == skinscale::kDesignDpi;
  const skin::Surfaces surfaces = skin::DrawSurfaces(dpi);
  std::vector<skin::DrawnBitmap> drawn;
  for (const skin::Entry& entry : skin::Bitmaps()) {
    drawn.push_back({&entry, entry.draw(surfaces)});
    // The program takes the PNG; the bitmap file is the reference its decoded pixels are held to.
    if (!skin::WriteFile(folder + "/" + entry.file + ".png", skin::EncodePng(drawn.back().image)))
      return Fail(std::string("cannot write ") + entry.file + ".png");
    if (!skin::WriteFile(folder + "/" + entry.file + ".bmp", skin::EncodeBmp(drawn.back().image)))
      return Fail(std::string("cannot write ") + entry.file + ".bmp");
  }
  std::vector<std::vector<skin::Image>> listIcons;
  for (const skin::ListIcon& entry : skin::ListIcons()) {
    listIcons.push_back(skin::DrawListIcon(entry, dpi));
    const std::string path = folder + "/" + entry.file + ".ico";
    if (!skin::WriteFile(path, skin::EncodeIco(listIcons.back()))) return Fail("cannot write " + path);
  }
  if (!design) {
    const std::string script = skin::MakeScaledResourceScript(folder, dpi);
    const std::string name = "skin" + std::to_string(skinscale::Percent(dpi)) + ".rc";
    if (!skin::WriteFile(folder + "/" + name, std::vector<std::uint8_t>(script.begin(), script.end())))
      return Fail("cannot write " + name);
    return Finish(options, folder, drawn, {}, listIcons);
  }
  const std::vector<skin::Image> icons = skin::DrawIconImages();
  const std::string icon = folder + "/" + skin::ProgramIcon().file + ".ico";
  if (!skin::WriteFile(icon, skin::EncodeIco(icons))) return Fail("cannot write " + icon);
  for (const skin::PageImage& entry : skin::PageImages()) {
    const std::string path = folder + "/" + entry.file + ".png";
    if (!skin::WriteFile(path, skin::EncodePng(entry.draw()))) return Fail("cannot write " + path);
  }
  const std::string pages = skin::MakePageScript(folder);
  if (!skin::WriteFile(folder + "/pages.rc", std::vector<std::uint8_t>(pages.begin(), pages.end())))
    return Fail("cannot write pages.rc");
  const std::string script = skin::MakeResourceScript(folder);
  if (!skin::WriteFile(folder + "/skin.rc", std::vector<std::uint8_t>(script.begin(), script.end())))
    return Fail("cannot write skin.rc");

  return Finish(options, folder, drawn, icons, listIcons);
}
