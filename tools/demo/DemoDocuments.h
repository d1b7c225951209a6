// The demo product's user's guides: their records under the Docs key and the small one-page PDF
// written for each. Portable, so that the demo installation and the build of the product's package
// (packaging/msisource) describe the same documents.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace demo {

struct DemoDocument {
  std::wstring_view id;  // the Docs subkey, named by the product's "_menu5"
  std::wstring_view file;
  std::wstring_view shortDescription;
  std::wstring_view fullDescription;
};

inline constexpr DemoDocument kDemoDocuments[] = {
    {L"VntoGuide", L"VANTO Translator Guide.pdf", L"VANTO Translator User's Guide",
     L"Translating documents, dictionaries and profiles"},
    {L"StartdeckGuide", L"Startdeck Guide.pdf", L"Startdeck Quick Start", L"The start centre and its tasks"},
    {L"PluginsGuide", L"Plug-ins Guide.pdf", L"Translation in Other Applications",
     L"Word, Excel, Outlook, browsers and messengers"},
};

// The language the demo product is installed in (VntoLangID).
inline constexpr unsigned long kDemoLanguage = 1033;

// The VantoActivity record's address.
inline constexpr std::wstring_view kDemoActivityUrl = L"https://www.korvelsoft.com/vanto/activity";

// ASCII text of `text` (the tables above are ASCII).
inline std::string Ascii(std::wstring_view text) {
  std::string out;
  for (wchar_t c : text) out += static_cast<char>(c < 0x80 ? c : L'?');
  return out;
}

// A small, valid one-page PDF showing `title`, so the document list has real files to open.
inline std::string MinimalPdf(const std::string& title) {
  const std::string stream = "BT /F1 18 Tf 72 720 Td (" + title + ") Tj ET";
  const std::vector<std::string> objects = {
      "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R /Resources << /Font << /F1 5 0 R "
      ">> >> >>",
      "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "\nendstream",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
  std::string pdf = "%PDF-1.4\n";
  std::vector<size_t> offsets;
  for (size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (size_t offset : offsets) {
    char line[32];
    std::snprintf(line, sizeof(line), "%010zu 00000 n \n", offset);
    pdf += line;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

}  // namespace demo
