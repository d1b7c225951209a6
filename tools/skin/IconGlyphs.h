// The glyphs of the list icons, one function each, drawn in a Frame's unit square.
#pragma once

#include "IconFrame.h"

namespace skin::icon {

// Commands of the translation lists.
Glyph QuickTranslate(const Frame& f);
Glyph WebPage(const Frame& f);
Glyph WordDocument(const Frame& f);
Glyph ExcelSheet(const Frame& f);
Glyph Email(const Frame& f);
Glyph Messengers(const Frame& f);
Glyph PowerPoint(const Frame& f);
Glyph Pdf(const Frame& f);
Glyph OpenOffice(const Frame& f);
Glyph Profiles(const Frame& f);

// Applications of the suite.
Glyph DictionaryInstaller(const Frame& f);
Glyph PluginManager(const Frame& f);
Glyph TranslatorLite(const Frame& f);
Glyph DictionaryEditor(const Frame& f);
Glyph Translator(const Frame& f);
Glyph BatchTranslator(const Frame& f);
Glyph MemoryManager(const Frame& f);
Glyph XmlRules(const Frame& f);
Glyph Backup(const Frame& f);
Glyph DictionaryMerge(const Frame& f);
Glyph PackMaker(const Frame& f);
Glyph Terminology(const Frame& f);
Glyph Trados(const Frame& f);
Glyph TermConverter(const Frame& f);
Glyph Icq(const Frame& f);
Glyph ServerLogin(const Frame& f);
Glyph ServerSetup(const Frame& f);
Glyph Server(const Frame& f);
Glyph UserManager(const Frame& f);
Glyph Linguist(const Frame& f);
Glyph Synchronize(const Frame& f);
Glyph QaStudio(const Frame& f);
Glyph QaLab(const Frame& f);
Glyph QaProbe(const Frame& f);
Glyph Updater(const Frame& f);

}  // namespace skin::icon
