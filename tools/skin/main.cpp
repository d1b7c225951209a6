// skingen: draws the skin of Startdeck (every bitmap, the program icon and the list icons) and writes them,
// with the resource script that names them, into one folder.
//
//   skingen --out FOLDER [--check] [--sheet FILE.ppm]
//
// --check verifies the written files (sizes, transparent colour, each PNG decoding to exactly the pixels of
// its reference bitmap, damaged PNGs refused) and fails on any violation;
// --sheet also writes a contact sheet to look at (see Preview.h).
#include <cstdio>
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

namespace {

struct Options {
  std::string out;
  std::string sheet;
  bool check = false;
};

bool Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--check") {
      options.check = true;
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

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(stderr, "usage: skingen --out FOLDER [--check] [--sheet FILE.ppm]\n");
    return 2;
  }
  std::error_code error;
  std::filesystem::create_directories(options.out, error);
  const std::string folder = std::filesystem::absolute(options.out).generic_string();

  const skin::Surfaces surfaces = skin::DrawSurfaces();
  std::vector<skin::DrawnBitmap> drawn;
  for (const skin::Entry& entry : skin::Bitmaps()) {
    drawn.push_back({&entry, entry.draw(surfaces)});
    // The program takes the PNG; the bitmap file is the reference its decoded pixels are held to.
    if (!skin::WriteFile(folder + "/" + entry.file + ".png", skin::EncodePng(drawn.back().image)))
      return Fail(std::string("cannot write ") + entry.file + ".png");
    if (!skin::WriteFile(folder + "/" + entry.file + ".bmp", skin::EncodeBmp(drawn.back().image)))
      return Fail(std::string("cannot write ") + entry.file + ".bmp");
  }
  const std::vector<skin::Image> icons = skin::DrawIconImages();
  const std::string icon = folder + "/" + skin::ProgramIcon().file + ".ico";
  if (!skin::WriteFile(icon, skin::EncodeIco(icons))) return Fail("cannot write " + icon);
  std::vector<std::vector<skin::Image>> listIcons;
  for (const skin::ListIcon& entry : skin::ListIcons()) {
    listIcons.push_back(skin::DrawListIcon(entry));
    const std::string path = folder + "/" + entry.file + ".ico";
    if (!skin::WriteFile(path, skin::EncodeIco(listIcons.back()))) return Fail("cannot write " + path);
  }
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

  if (!options.sheet.empty()) {
    const std::string mvg = std::filesystem::path(options.sheet).replace_extension(".mvg").string();
    if (!skin::WriteContactSheet(options.sheet, mvg, drawn, icons, listIcons))
      return Fail("cannot write " + options.sheet);
  }
  if (options.check) {
    const std::vector<std::string> errors = skin::CheckFolder(folder);
    for (const std::string& e : errors) std::fprintf(stderr, "skingen: check: %s\n", e.c_str());
    if (!errors.empty()) return 1;
    std::printf("skingen: %zu bitmaps and %zu icons checked\n", skin::Bitmaps().size(),
                skin::ListIcons().size() + 1);
  }
  return 0;
}
