// Explorer's "Translate with VANTO" on the document types the tasks take and the Send To shortcut,
// as an installation of the product leaves them, read back as the shell reads them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Snapshot.h"

namespace test {

// The verb for every document type (tables/DocumentTypes.h) of the installation in `folder`, in the
// English of the package's language: the English text as the key's default value, MUIVerb naming
// the folder's English language library, resolved by SHLoadIndirectString to that library's text,
// and the command line that hands the document to the folder's Startdeck.exe.
[[nodiscard]] ::testing::AssertionResult ExplorerVerbOnEveryType(const std::filesystem::path& folder);

// The verb's keys in `snapshot` (HKCR\SystemFileAssociations\.<extension>\shell\VANTO.Translate).
[[nodiscard]] size_t VerbKeys(const Snapshot& snapshot);

// The machine's verb key of `extension` below HKLM (where a per-machine package writes HKCR).
[[nodiscard]] std::wstring VerbKeyBelowMachine(const std::wstring& extension);

// "<the user's Send To>\VANTO Translator.lnk".
[[nodiscard]] std::filesystem::path SendToShortcut();

// The Send To shortcut starts `program` with "/translate" (Send To adds the documents' paths).
[[nodiscard]] ::testing::AssertionResult SendToShortcutStarts(const std::filesystem::path& program);

}  // namespace test
