// msisource: writes the parts of the demo product's Windows Installer source that the demo
// installation also knows, as three WiX fragments that wixl builds with the product:
//  - STARTDECK.wxs, the Startdeck component (kStartdeckFiles), with Explorer's verb on the document
//    types the tasks take (docs::kExtensions) and the Send To shortcut, which a product's own
//    package can take as it is;
//  - SHARED.wxs, what every product of the suite installs alike and Windows Installer keeps while
//    any of them is installed: the suite's records under HKLM (VntoLangID, Folders\SharedRoot,
//    VantoActivity), the translation kernel and the web-service component with their registration,
//    in the suite's folder of the common program files;
//  - SUITE.wxs, the suite's applications (kDemoApps) and the user's guides with their records
//    (kDemoDocuments, whose PDF files it writes too): the demo product's own.
// It runs on the build machine.
//
//   msisource SUITE.wxs STARTDECK.wxs SHARED.wxs DOCS_FOLDER [--own APP_ID]...
//
// DOCS_FOLDER is named in the fragment as given: relative to the folder wixl runs in.
//
// --own names an application built as a program of its own: its files come with the Startdeck
// component (file ID "<app ID>.exe"); SUITE.wxs gives it only its Apps value.
// Component GUIDs are derived from the component's name, so they stay the same from build to build
// and from version to version; the Startdeck component's and the shared components' from names of
// their own, so they are the same in every product that takes them.
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
#include "../../tools/demo/StartdeckFiles.h"
#include "tables/DocumentTypes.h"
#include "tables/ExplorerVerb.h"
#include "tables/LanguageCodes.h"

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

// A name-based GUID (version 5 layout) of the component `name` of `owner`.
std::string ComponentGuid(std::string_view name, std::string_view owner = "VANTO Translator Home") {
  const std::string key = std::string(owner) + "/" + std::string(name);
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
void OpenComponent(std::ostream& out, const std::string& id, const char* indent,
                   std::string_view owner = "VANTO Translator Home") {
  out << indent << "<Component Id=\"" << id << "\" Guid=\"" << ComponentGuid(id, owner)
      << "\" Win64=\"yes\">\n";
}

// A string value under HKLM; an empty name is the key's default value.
void RegistryString(std::ostream& out, std::string_view key, std::string_view name, std::string_view value,
                    const char* indent, bool keyPath = false) {
  out << indent << "<RegistryValue Root=\"HKLM\" Key=\"" << Xml(key) << "\"";
  if (!name.empty()) out << " Name=\"" << Xml(name) << "\"";
  out << " Type=\"string\" Value=\"" << Xml(value) << "\"" << (keyPath ? " KeyPath=\"yes\"" : "") << "/>\n";
}

void RegistryString(std::ostream& out, std::wstring_view key, std::wstring_view name, std::string_view value,
                    const char* indent, bool keyPath = false) {
  RegistryString(out, demo::Ascii(key), demo::Ascii(name), value, indent, keyPath);
}

int Usage() {
  std::cerr << "usage: msisource SUITE.wxs STARTDECK.wxs SHARED.wxs DOCS_FOLDER [--own APP_ID]...\n";
  return 2;
}

// Writes `text` to `file` through a temporary file, so a failed run leaves no half source behind.
bool WriteFile(const fs::path& file, const std::string& text) {
  const fs::path temporary = fs::path(file).concat(".tmp");
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
      std::cerr << "msisource: cannot write " << temporary << "\n";
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temporary, file, ec);
  if (ec) {
    std::cerr << "msisource: cannot replace " << file << "\n";
    return false;
  }
  return true;
}

// Explorer's verb on every document type the tasks take, one component an extension with the command
// as its key path (tables/ExplorerVerb.h). Its text is the suite language's library's, which must be
// one of Startdeck's files; the English text stands for it where a shell cannot read that.
bool WriteExplorerVerbs(std::ostream& out, std::ostream& group) {
  const std::wstring library = lang::LanguageLibraryName(L"Startdeck", demo::kDemoLanguage);
  bool packaged = false;
  for (const demo::StartdeckFile& file : demo::kStartdeckFiles)
    packaged |= !file.inApps && file.name == library;
  if (!packaged) {
    std::cerr << "msisource: no language library of Startdeck for the suite's language "
              << demo::kDemoLanguage << "\n";
    return false;
  }
  const std::string muiVerb = demo::Ascii(shellverb::MuiVerb(L"[INSTALLDIR]" + library));
  const std::string command = demo::Ascii(shellverb::VerbCommand(L"[INSTALLDIR]Startdeck.exe"));
  for (std::wstring_view extension : docs::kExtensions) {
    const std::string id = "Startdeck_Verb_" + demo::Ascii(extension);
    const std::string key = demo::Ascii(shellverb::VerbKey(extension));
    OpenComponent(out, id, "      ", "Startdeck");
    RegistryString(out, key, "", demo::Ascii(shellverb::kEnglishText), "        ");
    RegistryString(out, key, demo::Ascii(shellverb::kMuiVerbValue), muiVerb, "        ");
    RegistryString(out, key + "\\" + demo::Ascii(shellverb::kCommandKeyName), "", command, "        ", true);
    out << "      </Component>\n";
    group << "      <ComponentRef Id=\"" << id << "\"/>\n";
  }
  return true;
}

// The Send To shortcut, in the folder of the user who installs: Send To adds the chosen files'
// paths to its arguments. Its key path is a value of the installation's records, as the Start
// menu's shortcut's.
void WriteSendToShortcut(std::ostream& out, std::ostream& group) {
  out << "    <DirectoryRef Id=\"TARGETDIR\">\n"
         "      <Directory Id=\"SendToFolder\">\n";
  OpenComponent(out, "Startdeck_SendTo", "        ", "Startdeck");
  out << "          <Shortcut Id=\"StartdeckSendTo\" Name=\"" << Xml(shellverb::kSendToName)
      << "\" Target=\"[#Startdeck.exe]\" Arguments=\"" << Xml(shellverb::kTranslateSwitch)
      << "\" WorkingDirectory=\"INSTALLDIR\"/>\n"
         "          <RegistryValue Root=\"HKLM\" Key=\"Software\\Korvelsoft\\VNTO9\\Installer\" "
         "Name=\"SendTo\" "
         "Type=\"integer\" Value=\"1\" KeyPath=\"yes\"/>\n"
         "        </Component>\n"
         "      </Directory>\n"
         "    </DirectoryRef>\n";
  group << "      <ComponentRef Id=\"Startdeck_SendTo\"/>\n";
}

// The Startdeck component: one file a component, the key path of each; Explorer's verb and the Send
// To shortcut. Empty when the verb cannot be written.
std::string StartdeckComponent() {
  std::ostringstream out;
  std::ostringstream group;
  out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
         "<!-- The Startdeck component, for a product's package: the start centre with its help file, its "
         "skin\n"
         "     and its five language libraries, and the plug-ins manager VantoEM with its language libraries "
         "in\n"
         "     the product's Apps folder; Explorer's \"Translate with VANTO\" on the document types the\n"
         "     tasks take and the \"VANTO Translator\" shortcut in the user's Send To folder. Build it with\n"
         "     the product's own source:\n"
         "       wixl -a x64 -D StartdeckBin=FOLDER PRODUCT.wxs Startdeck.wxs\n"
         "     where FOLDER holds the built files (relative to where wixl runs), PRODUCT.wxs defines the\n"
         "     directory INSTALLDIR (Startdeck goes there, the plug-ins manager into its Apps folder, the\n"
         "     directory APPSDIR defined here) and a feature with <ComponentGroupRef Id=\"Startdeck\"/>.\n"
         "     The product's .inf, its records (Apps, Folders, Docs) and the components outside Startdeck "
         "are\n"
         "     the product's. The component GUIDs are Startdeck's own and the same in every product. -->\n"
         "<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n"
         "  <Fragment>\n"
         "    <DirectoryRef Id=\"INSTALLDIR\">\n";
  for (bool inApps : {false, true}) {
    if (inApps) out << "      <Directory Id=\"APPSDIR\" Name=\"Apps\">\n";
    const char* indent = inApps ? "        " : "      ";
    for (const demo::StartdeckFile& file : demo::kStartdeckFiles) {
      if (file.inApps != inApps) continue;
      const std::string name = demo::Ascii(file.name);
      std::string id = "Startdeck_" + name;
      for (char& c : id)
        if (c == '.') c = '_';
      OpenComponent(out, id, indent, "Startdeck");
      out << indent << "  <File Id=\"" << name << "\" Name=\"" << name << "\" Source=\"$(var.StartdeckBin)/"
          << name << "\" KeyPath=\"yes\"/>\n"
          << indent << "</Component>\n";
      group << "      <ComponentRef Id=\"" << id << "\"/>\n";
    }
    if (inApps) out << "      </Directory>\n";
  }
  if (!WriteExplorerVerbs(out, group)) return {};
  out << "    </DirectoryRef>\n";
  WriteSendToShortcut(out, group);
  out << "    <ComponentGroup Id=\"Startdeck\">\n"
      << group.str()
      << "    </ComponentGroup>\n"
         "  </Fragment>\n"
         "</Wix>\n";
  return out.str();
}

// The owner name the shared components' GUIDs are derived from: the suite's, not a product's.
constexpr std::string_view kSuiteOwner = "VANTO Suite";

// The translation kernel's classes as its DllRegisterServer writes them: the class key's default
// value, and the kernel's file as an in-process server free to any apartment.
struct KernelClass {
  std::string_view clsid;
  std::string_view defaultValue;
};
constexpr KernelClass kKernelClasses[] = {
    {"{B9C7589A-463E-490E-8ACC-E9BB65DDB50D}", "VANTO Kernel Message Component"},
    {"{DEF33D5F-398E-41DC-8271-024CED2B60AB}", "VANTO Network Kernel"},
    // The local kernel's default value is a number: the add-word dialog's default entry.
    {"{5A3C7E10-2B4D-4F61-9C8A-0D1E2F3A4B5C}", "1"},
    {"{23A33311-5B98-430C-BE9A-38DC1BE4E42E}", "VANTO Text Object"},
};

// The web-service component's registration as its /RegServer writes it: its class (a local server),
// the type library inside the program and the library's two interfaces, the dual one carried by the
// universal marshaller, the event one by the dispatch marshaller.
constexpr std::string_view kWebServiceClass = "{C1D2E3F4-A5B6-4C7D-8E9F-0A1B2C3D4E5F}";
constexpr std::string_view kWebServiceLibrary = "{F2FB574E-9146-4BB3-9441-7B28D3C33C0D}";
struct LibraryInterface {
  std::string_view iid;
  std::string_view name;
  std::string_view proxyStub;
};
constexpr LibraryInterface kWebServiceInterfaces[] = {
    {"{DE06A676-6A17-4EB0-9CCC-656A015E982F}", "IVantoWebService", "{00020424-0000-0000-C000-000000000046}"},
    {"{B092DE76-81A3-4FC7-92E0-6D7E8F901234}", "DVantoWebServiceEvents",
     "{00020420-0000-0000-C000-000000000046}"},
};

// What every product of the suite installs alike, in components whose GUIDs are the suite's: Windows
// Installer counts the products that have each and removes it with the last of them. Its folder is
// the suite's own in the common program files, the same whichever folder a product is installed in
// (a component keeps one place in every product that has it), one level deep so that it goes with
// the last product: the installer removes the folders its components create, not their parents.
std::string SharedComponents() {
  std::ostringstream out;
  const char* indent = "          ";
  const char* values = "            ";
  out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
         "<!-- What every product of the VANTO suite installs alike, for a product's package: the\n"
         "     suite's records (VntoLangID, Folders\\SharedRoot, VantoActivity), the translation kernel\n"
         "     and the web-service component with their registration, in the folder SUITESHAREDDIR\n"
         "     ([CommonFiles64Folder]VANTO\\, defined here). Build it with the product's\n"
         "     own source (wixl -a x64 -D BinDir=FOLDER PRODUCT.wxs SuiteShared.wxs, FOLDER holding\n"
         "     the built files, relative to where wixl runs) and refer to\n"
         "     <ComponentGroupRef Id=\"SuiteShared\"/> in a feature. The component GUIDs are the\n"
         "     suite's and the same in every product: Windows Installer keeps each component while\n"
         "     any product that has it is installed. -->\n"
         "<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n"
         "  <Fragment>\n"
         "    <DirectoryRef Id=\"TARGETDIR\">\n"
         "      <Directory Id=\"CommonFiles64Folder\">\n"
         "        <Directory Id=\"SUITESHAREDDIR\" Name=\"VANTO\">\n";

  // The suite's records: its language, the shared folder (this one) and the activity page. The
  // folder goes with the last product.
  OpenComponent(out, "SuiteRecords", indent, kSuiteOwner);
  out << indent << "  <CreateFolder/>\n"
      << indent << "  <RegistryValue Root=\"HKLM\" Key=\"" << Xml(reg::kProductRoot) << "\" Name=\""
      << Xml(reg::kLanguageIdValue) << "\" Type=\"integer\" Value=\"" << demo::kDemoLanguage
      << "\" KeyPath=\"yes\"/>\n";
  RegistryString(out, reg::kFolders, reg::kSharedRootValue, "[SUITESHAREDDIR]", values);
  RegistryString(out, reg::kVantoActivity, L"Url", demo::Ascii(demo::kDemoActivityUrl), values);
  out << indent << "</Component>\n";

  OpenComponent(out, "Kernel", indent, kSuiteOwner);
  out << indent
      << "  <File Id=\"VantoKernel.dll\" Name=\"VantoKernel.dll\" Source=\"$(var.BinDir)/VantoKernel.dll\" "
         "KeyPath=\"yes\"/>\n";
  for (const KernelClass& kernelClass : kKernelClasses) {
    const std::string key = "SOFTWARE\\Classes\\CLSID\\" + std::string(kernelClass.clsid);
    RegistryString(out, key, "", kernelClass.defaultValue, values);
    RegistryString(out, key + "\\InprocServer32", "", "[#VantoKernel.dll]", values);
    RegistryString(out, key + "\\InprocServer32", "ThreadingModel", "Both", values);
  }
  out << indent << "</Component>\n";

  OpenComponent(out, "WebService", indent, kSuiteOwner);
  out << indent
      << "  <File Id=\"VantoWebService.exe\" Name=\"VantoWebService.exe\" "
         "Source=\"$(var.BinDir)/VantoWebService.exe\" KeyPath=\"yes\"/>\n";
  const std::string server = "SOFTWARE\\Classes\\CLSID\\" + std::string(kWebServiceClass);
  RegistryString(out, server, "", "VANTO web service", values);
  RegistryString(out, server + "\\LocalServer32", "", "\"[#VantoWebService.exe]\"", values);
  RegistryString(out, server + "\\TypeLib", "", kWebServiceLibrary, values);
  // FLAGS 0 and HELPDIR ending in a backslash, as Windows' RegisterTypeLib writes them (Wine's writes
  // 8 and no backslash).
  const std::string library = "SOFTWARE\\Classes\\TypeLib\\" + std::string(kWebServiceLibrary) + "\\1.0";
  RegistryString(out, library, "", "VANTO web service 1.0", values);
  RegistryString(out, library + "\\FLAGS", "", "0", values);
  RegistryString(out, library + "\\HELPDIR", "", "[SUITESHAREDDIR]", values);
  RegistryString(out, library + "\\0\\win64", "", "[#VantoWebService.exe]", values);
  for (const LibraryInterface& entry : kWebServiceInterfaces) {
    const std::string key = "SOFTWARE\\Classes\\Interface\\" + std::string(entry.iid);
    RegistryString(out, key, "", entry.name, values);
    RegistryString(out, key + "\\ProxyStubClsid", "", entry.proxyStub, values);
    RegistryString(out, key + "\\ProxyStubClsid32", "", entry.proxyStub, values);
    RegistryString(out, key + "\\TypeLib", "", kWebServiceLibrary, values);
    RegistryString(out, key + "\\TypeLib", "Version", "1.0", values);
  }
  out << indent << "</Component>\n";

  out << "        </Directory>\n"
         "      </Directory>\n"
         "    </DirectoryRef>\n"
         "    <ComponentGroup Id=\"SuiteShared\">\n"
         "      <ComponentRef Id=\"SuiteRecords\"/>\n"
         "      <ComponentRef Id=\"Kernel\"/>\n"
         "      <ComponentRef Id=\"WebService\"/>\n"
         "    </ComponentGroup>\n"
         "  </Fragment>\n"
         "</Wix>\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) return Usage();
  const fs::path output = argv[1];
  const fs::path componentOutput = argv[2];
  const fs::path sharedOutput = argv[3];
  const fs::path docsFolder = argv[4];  // relative to where wixl runs: it takes no absolute Source paths
  std::set<std::string> own;
  for (int i = 5; i < argc; ++i) {
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

  out << "    <DirectoryRef Id=\"INSTALLDIR\">\n";
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

  const std::string component = StartdeckComponent();
  return !component.empty() && WriteFile(output, out.str()) && WriteFile(componentOutput, component) &&
                 WriteFile(sharedOutput, SharedComponents())
             ? 0
             : 1;
}
