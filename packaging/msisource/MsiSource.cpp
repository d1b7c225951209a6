// msisource: writes the part of the demo product's Windows Installer source that the demo
// installation also knows: the suite's applications (kDemoApps), the user's guides with their
// records (kDemoDocuments, whose PDF files it writes too) and the product's records under HKLM.
// It runs on the build machine; the output is a WiX fragment that wixl builds with the product.
//
//   msisource OUT.wxs DOCS_FOLDER [--own APP_ID]...
//
// DOCS_FOLDER is named in the fragment as given: relative to the folder wixl runs in.
//
// --own names an application built as a program of its own: its files come with the Startdeck
// component (packaging/Startdeck.wxs, file ID "<app ID>.exe"); here it gets only its Apps value.
// Component GUIDs are derived from the component's name, so they stay the same from build to build
// and from version to version.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "../../src/core/RegistryLayout.h"
#include "../../tools/demo/DemoApps.h"
#include "../../tools/demo/DemoDocuments.h"

namespace {

namespace fs = std::filesystem;

std::string Xml(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Xml(std::wstring_view text) {
  return Xml(demo::Ascii(text));
}

uint64_t Fnv1a(std::string_view text, uint64_t seed) {
  uint64_t hash = seed;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

// A name-based GUID (version 5 layout) of the component `name`.
std::string ComponentGuid(std::string_view name) {
  const std::string key = std::string("VANTO Translator Home/") + std::string(name);
  const uint64_t high = Fnv1a(key, 0xcbf29ce484222325ULL);
  const uint64_t low = Fnv1a(key, 0x84222325cbf29ce4ULL);
  const auto data3 = static_cast<unsigned>(((high >> 0) & 0x0fff) | 0x5000);
  const auto data4 = static_cast<unsigned>(((low >> 48) & 0x3fff) | 0x8000);
  char text[40];
  std::snprintf(text, sizeof(text), "%08X-%04X-%04X-%04X-%012llX", static_cast<unsigned>(high >> 32),
                static_cast<unsigned>((high >> 16) & 0xffff), data3, data4,
                static_cast<unsigned long long>(low & 0xffffffffffffULL));
  return text;
}

// Opens a component (64-bit, with its fixed GUID) in the current directory element.
void OpenComponent(std::ostream& out, const std::string& id, const char* indent) {
  out << indent << "<Component Id=\"" << id << "\" Guid=\"" << ComponentGuid(id) << "\" Win64=\"yes\">\n";
}

void RegistryString(std::ostream& out, std::wstring_view key, std::wstring_view name,
                    const std::string& value, const char* indent, bool keyPath = false) {
  out << indent << "<RegistryValue Root=\"HKLM\" Key=\"" << Xml(key) << "\" Name=\"" << Xml(name)
      << "\" Type=\"string\" Value=\"" << Xml(value) << "\"" << (keyPath ? " KeyPath=\"yes\"" : "") << "/>\n";
}

int Usage() {
  std::cerr << "usage: msisource OUT.wxs DOCS_FOLDER [--own APP_ID]...\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const fs::path output = argv[1];
  const fs::path docsFolder = argv[2];  // relative to where wixl runs: it takes no absolute Source paths
  std::set<std::string> own;
  for (int i = 3; i < argc; ++i) {
    if (std::string_view(argv[i]) != "--own" || i + 1 == argc) return Usage();
    own.insert(argv[++i]);
  }

  std::error_code ec;
  fs::create_directories(docsFolder, ec);
  if (ec) {
    std::cerr << "msisource: cannot create " << docsFolder << "\n";
    return 1;
  }
  for (const demo::DemoDocument& doc : demo::kDemoDocuments) {
    std::ofstream pdf(docsFolder / doc.file, std::ios::binary | std::ios::trunc);
    pdf << demo::MinimalPdf(demo::Ascii(doc.shortDescription));
    if (!pdf) {
      std::cerr << "msisource: cannot write " << (docsFolder / doc.file) << "\n";
      return 1;
    }
  }

  std::ostringstream out;
  std::ostringstream group;  // the ComponentRef list of every component written
  out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
         "<!-- Written by msisource at build time; edit tools/demo/DemoApps.h, tools/demo/DemoDocuments.h "
         "-->\n"
         "<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n"
         "  <Fragment>\n";

  // The product's records: its language, the shared folder and the activity page.
  out << "    <DirectoryRef Id=\"INSTALLDIR\">\n"
         "      <Directory Id=\"SharedDir\" Name=\"Shared\">\n";
  OpenComponent(out, "SuiteRecords", "        ");
  out << "          <CreateFolder/>\n"
         "          <RegistryValue Root=\"HKLM\" Key=\""
      << Xml(reg::kProductRoot) << "\" Name=\"" << Xml(reg::kLanguageIdValue)
      << "\" Type=\"integer\" Value=\"" << demo::kDemoLanguage << "\" KeyPath=\"yes\"/>\n";
  RegistryString(out, reg::kFolders, reg::kSharedRootValue, "[INSTALLDIR]Shared", "          ");
  RegistryString(out, reg::kVantoActivity, L"Url", demo::Ascii(demo::kDemoActivityUrl), "          ");
  out << "        </Component>\n"
         "      </Directory>\n";
  group << "      <ComponentRef Id=\"SuiteRecords\"/>\n";

  // Applications without a program: a folder of their own named by a Folders value.
  for (const demo::DemoApp& row : demo::kDemoApps) {
    if (row.placement != demo::Placement::kFolderOnly) continue;
    const std::string id = demo::Ascii(row.id);
    out << "      <Directory Id=\"AppFolder_" << id << "\" Name=\"" << id << "\">\n";
    OpenComponent(out, "Folder_" + id, "        ");
    out << "          <CreateFolder/>\n";
    RegistryString(out, reg::kFolders, row.id, "[INSTALLDIR]" + id, "          ", true);
    out << "        </Component>\n"
           "      </Directory>\n";
    group << "      <ComponentRef Id=\"Folder_" << id << "\"/>\n";
  }

  // The user's guides in Docs, each with its record.
  out << "      <Directory Id=\"DocsDir\" Name=\"Docs\">\n";
  for (const demo::DemoDocument& doc : demo::kDemoDocuments) {
    const std::string id = demo::Ascii(doc.id);
    const std::wstring key = std::wstring(reg::kDocs) + L"\\" + std::wstring(doc.id);
    OpenComponent(out, "Doc_" + id, "        ");
    out << "          <File Id=\"Doc_" << id << "\" Name=\"" << Xml(doc.file) << "\" Source=\""
        << Xml((docsFolder / doc.file).generic_string()) << "\" KeyPath=\"yes\"/>\n";
    RegistryString(out, key, L"Path", "[#Doc_" + id + "]", "          ");
    RegistryString(out, key, L"ShortDescription", demo::Ascii(doc.shortDescription), "          ");
    RegistryString(out, key, L"FullDescription", demo::Ascii(doc.fullDescription), "          ");
    out << "        </Component>\n";
    group << "      <ComponentRef Id=\"Doc_" << id << "\"/>\n";
  }
  out << "      </Directory>\n"
         "    </DirectoryRef>\n";

  // The applications with a program: the stand-in under the application's name in Apps (the
  // Startdeck component's folder) and the Apps value naming it.
  out << "    <DirectoryRef Id=\"APPSDIR\">\n";
  for (const demo::DemoApp& row : demo::kDemoApps) {
    if (row.placement != demo::Placement::kProgram) continue;
    const std::string id = demo::Ascii(row.id);
    OpenComponent(out, "App_" + id, "      ");
    if (own.count(id)) {
      RegistryString(out, reg::kApps, row.id, "[#" + id + ".exe]", "        ", true);
    } else {
      out << "        <File Id=\"App_" << id << "\" Name=\"" << id
          << ".exe\" Source=\"$(var.BinDir)/SuiteApp.exe\" KeyPath=\"yes\"/>\n";
      RegistryString(out, reg::kApps, row.id, "[#App_" + id + "]", "        ");
    }
    out << "      </Component>\n";
    group << "      <ComponentRef Id=\"App_" << id << "\"/>\n";
  }
  out << "    </DirectoryRef>\n"
         "    <ComponentGroup Id=\"SuiteContents\">\n"
      << group.str()
      << "    </ComponentGroup>\n"
         "  </Fragment>\n"
         "</Wix>\n";

  // Written through a temporary file, so a failed run leaves no half source behind.
  const fs::path temporary = fs::path(output).concat(".tmp");
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file) {
      std::cerr << "msisource: cannot write " << temporary << "\n";
      return 1;
    }
  }
  fs::rename(temporary, output, ec);
  if (ec) {
    std::cerr << "msisource: cannot replace " << output << "\n";
    return 1;
  }
  return 0;
}
