#include "ListIcons.h"

#include "Canvas.h"
#include "SkinIds.h"
#include "SkinScales.h"

namespace skin {
namespace {

using namespace icon;

constexpr ListIcon kIcons[] = {
    {IDI_CMD_QUICK_TRANSLATE, "cmd_quick_translate", "Quick Translation", QuickTranslate},
    {IDI_CMD_TRANSLATE_WEB, "cmd_translate_web", "Translate Web Page", WebPage},
    {IDI_CMD_TRANSLATE_WORD, "cmd_translate_word", "Word document", WordDocument},
    {IDI_CMD_TRANSLATE_EXCEL, "cmd_translate_excel", "Excel spreadsheet", ExcelSheet},
    {IDI_CMD_TRANSLATE_EMAIL, "cmd_translate_email", "e-mail", Email},
    {IDI_CMD_TRANSLATE_MESSENGERS, "cmd_translate_messengers", "instant messages", Messengers},
    {IDI_CMD_TRANSLATE_POWERPOINT, "cmd_translate_powerpoint", "PowerPoint", PowerPoint},
    {IDI_CMD_TRANSLATE_PDF, "cmd_translate_pdf", "PDF", Pdf},
    {IDI_CMD_TRANSLATE_OPENOFFICE, "cmd_translate_openoffice", "OpenOffice document", OpenOffice},
    {IDI_CMD_EDIT_PROFILES, "cmd_edit_profiles", "Edit Profiles", Profiles},
    {IDI_APP_DICTIONARY_INSTALLER, "app_dictionary_installer", "dictionary installer", DictionaryInstaller},
    {IDI_APP_PLUGIN_MANAGER, "app_plugin_manager", "plug-ins manager", PluginManager},
    {IDI_APP_TRANSLATOR_LITE, "app_translator_lite", "translator lite", TranslatorLite},
    {IDI_APP_DICTIONARY_EDITOR, "app_dictionary_editor", "dictionary editor", DictionaryEditor},
    {IDI_APP_TRANSLATOR, "app_translator", "translator", Translator},
    {IDI_APP_BATCH_TRANSLATOR, "app_batch_translator", "batch translator", BatchTranslator},
    {IDI_APP_TM_MANAGER, "app_tm_manager", "translation memory manager", MemoryManager},
    {IDI_APP_XML_RULES, "app_xml_rules", "XML rules editor", XmlRules},
    {IDI_APP_BACKUP, "app_backup", "backup", Backup},
    {IDI_APP_DICTIONARY_MANAGER, "app_dictionary_manager", "dictionary compare and merge", DictionaryMerge},
    {IDI_APP_PACKMAKER, "app_packmaker", "PackMaker", PackMaker},
    {IDI_APP_TERMINOLOGY_MANAGER, "app_terminology_manager", "terminology manager", Terminology},
    {IDI_APP_TRADOS, "app_trados", "TRADOS integration", Trados},
    {IDI_APP_TERMINOLOGY_CONVERTER, "app_terminology_converter", "terminology converter", TermConverter},
    {IDI_APP_ICQ, "app_icq", "ICQ", Icq},
    {IDI_APP_SERVER_LOGIN, "app_server_login", "server login", ServerLogin},
    {IDI_APP_SERVER_SETUP, "app_server_setup", "server setup", ServerSetup},
    {IDI_APP_SERVER, "app_server", "server (spare)", Server},
    {IDI_APP_USER_MANAGER, "app_user_manager", "user manager", UserManager},
    {IDI_APP_LINGUIST, "app_linguist", "linguistic administrator", Linguist},
    {IDI_APP_SYNCHRONIZE, "app_synchronize", "data synchronization", Synchronize},
    {IDI_APP_QASTUDIO, "app_qastudio", "QaStudio", QaStudio},
    {IDI_APP_QALAB, "app_qalab", "QA Lab", QaLab},
    {IDI_APP_QAPROBE, "app_qaprobe", "QaProbe", QaProbe},
    {IDI_APP_UPDATER, "app_updater", "updater", Updater},
};

constexpr int kDesignSizes[] = {16, 32};

Rgb InkColour(Ink ink) {
  switch (ink) {
    case Ink::kWhite: return palette::kWhite;
    case Ink::kPale: return Rgb{176, 224, 250};
    case Ink::kDark: return Rgb{16, 74, 150};
  }
  return palette::kWhite;
}

// The tile of the program icon: a blue gradient square with round corners, a gloss and a rim.
void DrawTile(Canvas& canvas, float size) {
  const bool small = size < 24.f;
  Sdf tile = shape::Box(0.f, 0.f, size, size, Radii::All(0.22f * size));
  canvas.Fill(tile, paint::Vertical(0.f, Rgb{86, 184, 238}, size, Rgb{22, 96, 184}), 1.f, 4);
  if (!small) {
    Sdf gloss =
        shape::Intersect(shape::Grow(tile, -1.f), shape::Circle(0.5f * size, -0.70f * size, 1.10f * size));
    canvas.Fill(gloss, palette::kWhite, 0.14f, 4);
  }
  canvas.Fill(shape::Intersect(shape::Outline(tile, 0.5f), tile), Rgb{12, 58, 128}, small ? 0.4f : 0.5f, 4);
}

}  // namespace

std::span<const ListIcon> ListIcons() {
  return kIcons;
}

std::array<int, 2> ListIconSizes(int dpi) {
  return {skinscale::Px(kDesignSizes[0], dpi), skinscale::Px(kDesignSizes[1], dpi)};
}

std::vector<Image> DrawListIcon(const ListIcon& entry, int dpi) {
  std::vector<Image> images;
  for (const int px : ListIconSizes(dpi)) {
    const float size = static_cast<float>(px);
    Canvas canvas(px, px);
    DrawTile(canvas, size);
    // The glyph keeps a margin of about a tenth of the tile; at 16 px it grows to fill the tile.
    const bool small = px < 24;
    const Frame frame{size / 2.f, size / 2.f, size * (small ? 0.80f : 0.72f), small ? 0.6f : 0.75f};
    for (const Layer& layer : entry.glyph(frame)) canvas.Fill(layer.shape, InkColour(layer.ink), 1.f, 4);
    images.push_back(canvas.FlattenAlpha());
  }
  return images;
}

}  // namespace skin
