// The HTML pages as built, in Startdeck.exe (English) and in each of the five language libraries:
// each page parses (the pages are written as well-formed markup, read by the system's XML parser),
// is titled with its tab's name in that language, carries no script and no active link, and names
// only pictures ("/png/<ID>") that the same module holds as PNG resources.
#include <gtest/gtest.h>

#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "ResourceIds.h"
#include "StringIds.h"
#include "core/Bstr.h"
#include "support/TestPaths.h"
#include "win/ComScope.h"
#include "win/Handle.h"
#include "controls/Paint.h"
#include "win/Resources.h"

namespace {

using Microsoft::WRL::ComPtr;

// MSXML 3's document and its interface (the import libraries carry neither).
constexpr CLSID kDomDocument30 = {
    0xf5078f32, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};
constexpr IID kXmlDocument2 = {0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

constexpr const wchar_t* kModules[] = {L"Startdeck.exe",       L"StartdeckResENU.dll",
                                       L"StartdeckResDEU.dll", L"StartdeckResFRA.dll",
                                       L"StartdeckResRUS.dll", L"StartdeckResESN.dll"};
constexpr struct {
  int id;
  UINT title;
} kPages[] = {{IDR_HTML_DICTIONARIES, IDS_TAB_DICTIONARIES}, {IDR_HTML_MY_VANTO, IDS_TAB_MY_VANTO}};

std::string ResourceBytes(HMODULE module, int id, LPCWSTR type) {
  const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (!found) return {};
  const HGLOBAL loaded = ::LoadResource(module, found);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  return data ? std::string(static_cast<const char*>(data), ::SizeofResource(module, found)) : std::string();
}

std::wstring Utf16(const std::string& utf8) {
  std::wstring text(static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                                              static_cast<int>(utf8.size()), nullptr, 0)),
                    L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                        static_cast<int>(text.size()));
  return text;
}

std::wstring Text(IXMLDOMNode* node) {
  app::Bstr text;
  if (node && SUCCEEDED(node->get_text(text.put()))) return text.str();
  return {};
}

std::vector<std::wstring> Select(IXMLDOMDocument2* document, const wchar_t* path) {
  std::vector<std::wstring> found;
  ComPtr<IXMLDOMNodeList> nodes;
  const app::Bstr query(path);
  const HRESULT hr = document->selectNodes(query.get(), &nodes);
  if (FAILED(hr) || !nodes) return found;
  long count = 0;
  nodes->get_length(&count);
  for (long i = 0; i < count; ++i) {
    ComPtr<IXMLDOMNode> node;
    if (SUCCEEDED(nodes->get_item(i, &node))) found.push_back(Text(node.Get()));
  }
  return found;
}

class HtmlPagesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(apartment_.ok()); }

  win::ComApartment apartment_;
};

TEST_F(HtmlPagesTest, EveryPageOfEveryModuleParsesAndNamesOnlyPicturesOfItsModule) {
  for (const wchar_t* name : kModules) {
    const std::wstring where(name);
    win::UniqueModule module(::LoadLibraryExW((test::BinFolder() / name).c_str(), nullptr,
                                              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(module) << ::testing::PrintToString(where);
    for (const auto& page : kPages) {
      const std::string bytes = ResourceBytes(module.get(), page.id, MAKEINTRESOURCEW(23));
      ASSERT_FALSE(bytes.empty()) << ::testing::PrintToString(where) << " has no page " << page.id;

      ComPtr<IXMLDOMDocument2> document;
      ASSERT_EQ(::CoCreateInstance(kDomDocument30, nullptr, CLSCTX_INPROC_SERVER, kXmlDocument2,
                                   reinterpret_cast<void**>(document.ReleaseAndGetAddressOf())),
                S_OK);
      document->put_async(VARIANT_FALSE);
      const app::Bstr markup(Utf16(bytes));
      VARIANT_BOOL parsed = VARIANT_FALSE;
      document->loadXML(markup.get(), &parsed);
      if (parsed != VARIANT_TRUE) {
        ComPtr<IXMLDOMParseError> error;
        document->get_parseError(&error);
        app::Bstr reason;
        long line = 0;
        if (error) error->get_reason(reason.put()), error->get_line(&line);
        ADD_FAILURE() << ::testing::PrintToString(where) << " page " << page.id << " line " << line << ": "
                      << ::testing::PrintToString(reason.str());
        continue;
      }
      const std::wstring context = where + L" page " + std::to_wstring(page.id);
      EXPECT_EQ(
          Select(document.Get(), L"/html/head/title"),
          std::vector<std::wstring>{ui::WithoutAccessMarkers(win::LoadStringFrom(module.get(), page.title))})
          << ::testing::PrintToString(context);
      EXPECT_TRUE(Select(document.Get(), L"//script").empty()) << ::testing::PrintToString(context);
      EXPECT_TRUE(Select(document.Get(), L"//a").empty()) << ::testing::PrintToString(context);
      const std::vector<std::wstring> pictures = Select(document.Get(), L"//@src | //@background");
      EXPECT_GE(pictures.size(), 6u) << ::testing::PrintToString(context);
      for (const std::wstring& picture : pictures) {
        ASSERT_TRUE(picture.starts_with(L"/png/")) << ::testing::PrintToString(context + L": " + picture);
        const int id = std::stoi(picture.substr(5));
        const std::string png = ResourceBytes(module.get(), id, L"PNG");
        EXPECT_TRUE(png.starts_with("\x89PNG\r\n\x1a\n"))
            << ::testing::PrintToString(context + L": " + picture);
      }
    }
  }
}

}  // namespace
