// The text the hand-off gives a host on its command line and in the U part of its record.
#pragma once

#include <string>
#include <string_view>

namespace tasks {

// Nothing left of the document once every "http://" is taken out (a bare prefix is no address).
[[nodiscard]] bool IsEmptyDocument(std::wstring_view document);

// Whether an address starts with a scheme the browser takes as it stands: "http:", "https:", "ftp:"
// or "file:", in any letter case.
[[nodiscard]] bool NamesScheme(std::wstring_view address) noexcept;

// A host program that takes addresses (its row's DocumentForm::kAddress: Firefox) gets the address
// as typed when it names its scheme, and a bare one ("example.org/page") with "http://" in front;
// nothing is lower-cased. Any other host gets the document in double quotes, or nothing for an
// empty one. `executable` is the program's bare file name, as the hand-off starts it.
[[nodiscard]] std::wstring HostParameter(std::wstring_view executable, std::wstring_view document);

// The suite translator and its Lite edition (their Running keys "Vnto", "VntoX") open no ".docx"
// (spelt in lower case) documents: those need Word 2007 or higher.
[[nodiscard]] bool NeedsWord2007(std::wstring_view key, std::wstring_view parameter) noexcept;

// OpenOffice.org (DocumentForm::kWriter) opens the document in Writer: "-swriter " before the
// parameter.
[[nodiscard]] std::wstring WriterParameter(std::wstring_view parameter);

}  // namespace tasks
